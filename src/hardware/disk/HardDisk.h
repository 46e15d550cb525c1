#pragma once
// One physical disk: identity, geometry, partitions and SMART attributes, read through storage
// requests on the disk's open handle.
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "hardware/disk/DiskPartition.h"
#include "hardware/disk/DiskType.h"
#include "hardware/disk/NvmeHealthLog.h"
#include "hardware/disk/StorageDevice.h"

namespace vsm {

class THardDisk {
 public:
  // Reads identity, geometry, SMART attributes and partitions; a missing answer leaves its fields
  // empty. The disk owns the handle from now on.
  THardDisk(uint32_t diskNumber, std::unique_ptr<TStorageDevice> handle);
  THardDisk(const THardDisk&) = delete;
  THardDisk& operator=(const THardDisk&) = delete;

  // Reads the SMART attributes again, or for a disk without a temperature attribute the storage
  // sources that answered the first time (the temperature property, an NVMe drive's health log);
  // a failed read keeps the previous values. A disk in standby is not asked, so that the monitor
  // does not spin it up: it keeps its last temperature.
  void Update();
  // Degrees Celsius from the temperature attribute, else from the storage temperature property,
  // else from the health log; 0 when there is none. May run on another thread than Update (the
  // floating strip reads it on the user-interface thread).
  double GetTemperature() const;
  bool HasTempSensor() const;
  // Solid state by the rotation rate, or when that is not reported, by the absence of a seek
  // penalty (asked each time).
  bool IsSSD();

  THddtypes DiskType() const;
  const std::string& Name() const { return FName; }
  const std::string& Description() const { return FDescription; }
  const std::string& SerialNumber() const { return FSerialNumber; }
  uint64_t Size() const { return FSize; }
  const std::string& FirmwareRevision() const { return FFirmwareRevision; }
  uint32_t Index() const { return FDiskNumber; }
  TDiskPartitionList& Partitions() { return FPartitions; }
  const TDiskPartitionList& Partitions() const { return FPartitions; }
  int64_t Cylinders() const { return FCylinders; }
  uint32_t TracksPerCylinder() const { return FTracksPerCylinder; }
  uint32_t SectorsPerTrack() const { return FSectorsPerTrack; }
  uint8_t MediaType() const { return FMediaType; }
  uint32_t BytesPerSector() const { return FBytesPerSector; }
  uint8_t BusType() const { return FBusType; }
  int16_t RPM() const { return FRpm; }
  const std::string& Major_ver() const { return FMajor_ver; }
  const std::string& Minor_ver() const { return FMinor_ver; }
  bool IsDynamic() const { return FDynamic; }
  bool IsNvme() const;
  // The last health log of an NVMe drive; nothing before one was read.
  std::optional<TNvmeHealth> HealthLog() const;

  // A copy of the 512-byte SMART data block of the last successful read (empty before one).
  std::vector<uint8_t> SmartBlock() const;

 private:
  bool ReadIdentify();
  void ReadScsiInquiry();
  void ReadGeometry();
  void ReadDeviceProperty();
  bool Asleep() const { return Handle->PowerState() == TDevicePower::Sleeping; }
  void ReadSmart();
  bool ReadSmartData();
  void ReadStorageTemperature();
  void ReadHealthLog();
  void ReadPartitions();
  // The data block inside SmartAttributes; the caller holds FSmartLock or runs in the constructor.
  ByteView SmartBlockView() const;

  std::unique_ptr<TStorageDevice> Handle;
  // Replaced by Update while GetTemperature may be reading it on another thread.
  mutable std::mutex FSmartLock;
  std::vector<uint8_t> SmartAttributes;  // answer of the last SMART READ DATA: header, then the block
  // Slot of the temperature attribute in the block; found by the first SMART read, which waits for
  // the disk to be awake.
  std::optional<int> PTemperatureAtt;
  bool FSmartRead = false;
  // Sources for a disk without a temperature attribute, kept when they answered the first read.
  std::optional<double> FStorageTemperature;
  std::optional<TNvmeHealth> FHealthLog;
  TDiskPartitionList FPartitions;
  std::string FSerialNumber;
  std::string FName;
  uint32_t FDiskNumber;
  std::string FDescription;
  uint64_t FSize = 0;
  std::string FFirmwareRevision;
  THddtypes FDiskType = THddtypes::GenericHarddisk;
  uint8_t FMediaType = 0;
  uint32_t FSectorsPerTrack = 0;
  int64_t FCylinders = 0;
  uint32_t FTracksPerCylinder = 0;
  uint8_t FBusType = 0;
  uint32_t FBytesPerSector = 0;
  int16_t FRpm = 0;
  std::string FMajor_ver;
  std::string FMinor_ver;
  bool FDynamic = false;
};

}  // namespace vsm
