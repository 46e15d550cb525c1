#pragma once
// The operating system's side of disk enumeration: the volumes, opening volumes and physical
// drives, and what a mounted volume reports about itself.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hardware/disk/StorageDevice.h"

namespace vsm {

struct TVolumeDetails {
  std::string PathName;  // the mount paths, ", "-separated; empty when the volume is not mounted
  std::string VolumeName;
  std::string FileSystemName;
  int64_t TotalSpace = 0;
  int64_t FreeAvailable = 0;
  int64_t TotalFree = 0;
};

class TVolumeSystem {
 public:
  virtual ~TVolumeSystem() = default;
  // The volume GUID names ("\\?\Volume{...}\"), nothing when volume enumeration is unavailable.
  virtual std::optional<std::vector<std::string>> Volumes() = 0;
  // Opens a volume by its name without the trailing backslash; nothing when that fails.
  virtual std::unique_ptr<TStorageDevice> OpenVolume(const std::string& name) = 0;
  // Opens "\\.\PhysicalDriveN" for SMART and layout requests; nothing when that fails.
  virtual std::unique_ptr<TStorageDevice> OpenPhysicalDrive(uint32_t diskNumber) = 0;
  // Mount paths, space and labels of a volume given by its GUID name with the backslash; space
  // and labels are filled only when the volume has a mount path.
  virtual TVolumeDetails VolumeDetails(const std::string& volumeWithBackslash) = 0;
};

}  // namespace vsm
