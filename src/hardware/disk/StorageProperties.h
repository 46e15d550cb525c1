#pragma once
// Answers of the drive geometry and storage property requests.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/le_bytes.h"

namespace vsm {

constexpr size_t kGeometryReplySize = 1024;
constexpr size_t kDeviceDescriptorReplySize = 1024;
constexpr size_t kSeekPenaltyReplySize = 12;
// The temperature descriptor with room for a few sensors.
constexpr size_t kTemperatureReplySize = 24 + 16 * 8;

// DISK_GEOMETRY_EX: the geometry, then the disk size.
struct TDiskGeometry {
  int64_t Cylinders = 0;
  uint32_t MediaType = 0;
  uint32_t TracksPerCylinder = 0;
  uint32_t SectorsPerTrack = 0;
  uint32_t BytesPerSector = 0;
  int64_t DiskSize = 0;
};
std::optional<TDiskGeometry> DecodeDriveGeometryEx(ByteView reply);

// STORAGE_PROPERTY_QUERY for a property (0 device, 7 seek penalty), standard query.
enum class TStorageProperty : uint32_t { Device = 0, SeekPenalty = 7, DeviceTemperature = 52 };
std::vector<uint8_t> StoragePropertyQuery(TStorageProperty property);

constexpr uint8_t kBusTypeNvme = 17;

// STORAGE_DEVICE_DESCRIPTOR: the bus type and the strings the query needs.
struct TStorageDeviceDescriptor {
  uint8_t BusType = 0;
  std::string ProductId;  // trimmed; the model of an NVMe drive

  std::string SerialNumber;  // trimmed; empty when the descriptor has none
  std::string ProductRevision;
};
std::optional<TStorageDeviceDescriptor> DecodeStorageDeviceDescriptor(ByteView reply);

// STORAGE_TEMPERATURE_DATA_DESCRIPTOR (Windows 10 and later): the first sensor's temperature in
// degrees Celsius, which is the drive's overall one; nothing without a sensor.
std::optional<double> DecodeStorageTemperature(ByteView reply);

// DEVICE_SEEK_PENALTY_DESCRIPTOR: whether the device incurs a seek penalty.
std::optional<bool> DecodeIncursSeekPenalty(ByteView reply);

}  // namespace vsm
