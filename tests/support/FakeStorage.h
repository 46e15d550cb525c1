#pragma once
// Stand-ins for storage devices and the volume system in the disk tests. A fake drive answers the
// storage requests from the blocks a test gives it (real IDENTIFY and SMART blocks from the
// fixtures) in the answer layouts Windows uses, and records every request.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hardware/disk/VolumeExtents.h"
#include "hardware/disk/VolumeSystem.h"

namespace vsm::test {

struct FakeRequest {
  uint32_t code;
  std::vector<uint8_t> in;
  size_t outSize;
};

struct FakeDriveState {
  std::vector<uint8_t> identify;  // 512-byte IDENTIFY block; empty: IDENTIFY fails
  std::vector<uint8_t> smart;     // 512-byte SMART data block; empty: READ DATA fails
  bool smartEnable = true;
  std::optional<std::vector<uint8_t>> inquiry;  // INQUIRY data
  std::optional<std::vector<uint8_t>> geometry;
  std::optional<std::vector<uint8_t>> deviceDescriptor;
  std::optional<bool> seekPenalty;
  std::optional<std::vector<uint8_t>> temperature;  // STORAGE_TEMPERATURE_DATA_DESCRIPTOR
  std::vector<uint8_t> nvmeHealthLog;               // 512-byte log page 02h; empty: the query fails
  // Answers that may not fit: a buffer too small fails with `tooSmallError`.
  std::optional<std::vector<uint8_t>> layout;
  std::optional<std::vector<uint8_t>> extents;
  TDevicePower power = TDevicePower::Unknown;  // what the power-state query answers
  std::vector<FakeRequest> requests;

  size_t CountRequests(uint32_t code) const;
};

class FakeDrive final : public TStorageDevice {
 public:
  explicit FakeDrive(std::shared_ptr<FakeDriveState> state) : state_(std::move(state)) {}
  TStorageReply Control(uint32_t code, const std::vector<uint8_t>& in, std::vector<uint8_t>& out) override;
  TDevicePower PowerState() override { return state_->power; }

 private:
  std::shared_ptr<FakeDriveState> state_;
};

// Answer builders in the Windows layouts.
struct FakePartition {
  uint32_t style;  // 0 MBR, 1 GPT
  uint32_t number;
  int64_t offset, length;
  uint8_t mbrType = 0x07;
  std::vector<uint8_t> gptType = {};  // 16 bytes as they lie in memory
};
std::vector<uint8_t> DriveLayoutBytes(uint32_t style, const std::vector<FakePartition>& partitions);
std::vector<uint8_t> VolumeExtentsBytes(const std::vector<TDiskExtent>& extents);
std::vector<uint8_t> GeometryBytes(int64_t cylinders, uint32_t mediaType, uint32_t tracks, uint32_t sectors,
                                   uint32_t bytesPerSector, int64_t diskSize);
std::vector<uint8_t> DeviceDescriptorBytes(uint8_t busType, const std::string& serial,
                                           const std::string& revision, const std::string& product = "");
// A temperature descriptor with one sensor per value.
std::vector<uint8_t> StorageTemperatureBytes(const std::vector<int16_t>& celsius);
// STORAGE_PROTOCOL_DATA_DESCRIPTOR around a log page, the data right after the protocol data.
std::vector<uint8_t> ProtocolDataReplyBytes(const std::vector<uint8_t>& data);

// A volume system of fake volumes and drives.
class FakeVolumeSystem final : public TVolumeSystem {
 public:
  struct Volume {
    std::string name;  // with trailing backslash
    std::vector<TDiskExtent> extents;
    TVolumeDetails details;
  };
  bool available = true;
  std::vector<Volume> volumes;
  std::map<uint32_t, std::shared_ptr<FakeDriveState>> drives;
  std::vector<std::string> detailsAskedFor;

  std::optional<std::vector<std::string>> Volumes() override;
  std::unique_ptr<TStorageDevice> OpenVolume(const std::string& name) override;
  std::unique_ptr<TStorageDevice> OpenPhysicalDrive(uint32_t diskNumber) override;
  TVolumeDetails VolumeDetails(const std::string& volumeWithBackslash) override;
};

}  // namespace vsm::test
