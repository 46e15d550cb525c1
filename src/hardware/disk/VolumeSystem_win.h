#pragma once
// Volume enumeration and physical drives of this machine.
#include <memory>

#include "hardware/disk/DiskList.h"
#include "hardware/disk/VolumeSystem.h"

namespace vsm {

class TWinVolumeSystem final : public TVolumeSystem {
 public:
  // Binds the volume enumeration functions of kernel32.dll.
  TWinVolumeSystem();

  std::optional<std::vector<std::string>> Volumes() override;
  std::unique_ptr<TStorageDevice> OpenVolume(const std::string& name) override;
  std::unique_ptr<TStorageDevice> OpenPhysicalDrive(uint32_t diskNumber) override;
  TVolumeDetails VolumeDetails(const std::string& volumeWithBackslash) override;

 private:
  struct Functions;
  std::shared_ptr<const Functions> functions_;
};

// The disks of this machine that carry mounted volumes.
std::unique_ptr<TDiskList> EnumerateWindowsDisks();

}  // namespace vsm
