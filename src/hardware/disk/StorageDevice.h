#pragma once
// The seam between the disk code and an open volume or physical drive: one synchronous storage
// I/O control with byte buffers. The Windows implementation issues DeviceIoControl on the handle;
// tests answer with real IDENTIFY and SMART blocks.
#include <cstdint>
#include <optional>
#include <vector>

namespace vsm {

// Storage control codes.
constexpr uint32_t kIoctlVolumeGetVolumeDiskExtents = 0x00560000;
constexpr uint32_t kIoctlDiskGetDriveGeometryEx = 0x000700A0;
constexpr uint32_t kIoctlStorageQueryProperty = 0x002D1400;
constexpr uint32_t kIoctlDiskGetDriveLayoutEx = 0x00070050;
constexpr uint32_t kSmartRcvDriveData = 0x0007C088;
constexpr uint32_t kSmartSendDriveCommand = 0x0007C084;
constexpr uint32_t kIoctlScsiPassThrough = 0x0004D004;

// System error codes a request can answer with.
constexpr uint32_t kErrorInsufficientBuffer = 122;
constexpr uint32_t kErrorMoreData = 234;

struct TStorageReply {
  bool ok = false;
  uint32_t returned = 0;  // bytes the device wrote into the output buffer
  uint32_t error = 0;     // the system error code when not ok
};

// Whether a device is in its working state; a disk in standby has its spindle stopped.
enum class TDevicePower { Unknown, On, Sleeping };

class TStorageDevice {
 public:
  virtual ~TStorageDevice() = default;
  // Asked without waking the device; Unknown when the device cannot tell.
  virtual TDevicePower PowerState() { return TDevicePower::Unknown; }
  // `out` holds the output buffer, sized by the caller; the device writes at most out.size() bytes.
  virtual TStorageReply Control(uint32_t code, const std::vector<uint8_t>& in, std::vector<uint8_t>& out) = 0;
};

// One request with an output buffer of outSize bytes; the bytes returned on success, cut to what
// the device reported (never more than the buffer).
std::optional<std::vector<uint8_t>> StorageRequest(TStorageDevice& device, uint32_t code,
                                                   const std::vector<uint8_t>& in, size_t outSize);

// A request whose answer may not fit: starts with initialSize bytes and grows the buffer by step
// while the device answers one of the two retry errors (pass the same one twice for one). Gives
// up at a megabyte, which no disk extent list or partition table comes near.
std::optional<std::vector<uint8_t>> StorageRequestGrowing(TStorageDevice& device, uint32_t code,
                                                          size_t initialSize, size_t step,
                                                          uint32_t retryError, uint32_t otherRetryError);

}  // namespace vsm
