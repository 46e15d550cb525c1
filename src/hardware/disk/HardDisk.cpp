#include "hardware/disk/HardDisk.h"

#include "hardware/disk/AtaIdentify.h"
#include "hardware/disk/DriveLayout.h"
#include "hardware/disk/ScsiInquiry.h"
#include "hardware/disk/SmartCommand.h"
#include "hardware/disk/SmartData.h"
#include "hardware/disk/StorageProperties.h"

namespace vsm {

namespace {

constexpr size_t kSmartEnableReplySize = 16;

}  // namespace

THardDisk::THardDisk(uint32_t diskNumber, std::unique_ptr<TStorageDevice> handle)
    : Handle(std::move(handle)), FDiskNumber(diskNumber) {
  if (!ReadIdentify()) ReadScsiInquiry();
  ReadGeometry();
  ReadDeviceProperty();
  ReadSmart();
  ReadPartitions();
}

bool THardDisk::ReadIdentify() {
  auto reply =
      StorageRequest(*Handle, kSmartRcvDriveData,
                     SmartCommandBlock(TSmartCommand::IdentifyDevice, static_cast<uint8_t>(FDiskNumber)),
                     kIdentifyReplySize);
  if (!reply) return false;
  auto block = SmartReplyData(*reply, kIdentifyBlockSize);
  if (!block) return false;
  auto id = DecodeIdentify(*block);
  if (!id) return false;
  FName = id->Model;
  FFirmwareRevision = id->FirmwareRevision;
  FSerialNumber = id->SerialNumber;
  FSize = id->Size;
  FRpm = id->Rpm;
  FMinor_ver = id->MinorVersion;
  FMajor_ver = id->MajorVersion;
  return true;
}

void THardDisk::ReadScsiInquiry() {
  std::vector<uint8_t> request = ScsiInquiryRequest();
  auto reply = StorageRequest(*Handle, kIoctlScsiPassThrough, request, request.size());
  if (!reply) return;
  if (auto id = DecodeScsiInquiry(*reply)) {
    FName = id->Model;
    FSerialNumber = id->SerialNumber;
  }
}

void THardDisk::ReadGeometry() {
  auto reply = StorageRequest(*Handle, kIoctlDiskGetDriveGeometryEx, {}, kGeometryReplySize);
  if (!reply) return;
  auto geometry = DecodeDriveGeometryEx(*reply);
  if (!geometry) return;
  if (FSize == 0 && geometry->DiskSize > 0) FSize = static_cast<uint64_t>(geometry->DiskSize);
  FCylinders = geometry->Cylinders;
  FTracksPerCylinder = geometry->TracksPerCylinder;
  FSectorsPerTrack = geometry->SectorsPerTrack;
  FBytesPerSector = geometry->BytesPerSector;
  FMediaType = static_cast<uint8_t>(geometry->MediaType);
}

void THardDisk::ReadDeviceProperty() {
  auto reply = StorageRequest(*Handle, kIoctlStorageQueryProperty,
                              StoragePropertyQuery(TStorageProperty::Device), kDeviceDescriptorReplySize);
  if (!reply) return;
  auto descriptor = DecodeStorageDeviceDescriptor(*reply);
  if (!descriptor) return;
  FBusType = descriptor->BusType;
  if (IsNvme()) {
    // The drive answers no IDENTIFY DEVICE; Windows fills the descriptor from the controller's
    // own identify data, which beats the translated INQUIRY's cut model and made-up serial.
    if (!descriptor->ProductId.empty()) FName = descriptor->ProductId;
    if (!descriptor->SerialNumber.empty()) FSerialNumber = descriptor->SerialNumber;
    if (!descriptor->ProductRevision.empty()) FFirmwareRevision = descriptor->ProductRevision;
    return;
  }
  if (FSerialNumber.empty()) FSerialNumber = descriptor->SerialNumber;
  if (FFirmwareRevision.empty()) FFirmwareRevision = descriptor->ProductRevision;
}

bool THardDisk::IsNvme() const { return FBusType == kBusTypeNvme; }

bool THardDisk::ReadSmartData() {
  auto reply = StorageRequest(*Handle, kSmartRcvDriveData,
                              SmartCommandBlock(TSmartCommand::ReadData, static_cast<uint8_t>(FDiskNumber)),
                              kSmartReadDataReplySize);
  if (!reply || !SmartReplyData(*reply, kSmartBlockSize)) return false;
  std::lock_guard lock(FSmartLock);
  SmartAttributes.swap(*reply);
  return true;
}

void THardDisk::ReadSmart() {
  if (Asleep()) {
    FDiskType = ChooseDiskType(FName, {});
    return;
  }
  FSmartRead = true;
  if (!IsNvme()) {
    auto enabled =
        StorageRequest(*Handle, kSmartSendDriveCommand,
                       SmartCommandBlock(TSmartCommand::EnableOperations, static_cast<uint8_t>(FDiskNumber)),
                       kSmartEnableReplySize);
    if (enabled) ReadSmartData();
  }
  {
    std::lock_guard lock(FSmartLock);
    FDiskType = ChooseDiskType(FName, SmartBlockView());
    if (auto id = TemperatureAttributeId(FDiskType))
      PTemperatureAtt = FindSmartAttribute(SmartBlockView(), *id);
    if (PTemperatureAtt) return;
  }
  ReadStorageTemperature();
  if (IsNvme()) ReadHealthLog();
}

void THardDisk::ReadStorageTemperature() {
  auto reply =
      StorageRequest(*Handle, kIoctlStorageQueryProperty,
                     StoragePropertyQuery(TStorageProperty::DeviceTemperature), kTemperatureReplySize);
  if (!reply) return;
  auto temperature = DecodeStorageTemperature(*reply);
  if (!temperature) return;
  std::lock_guard lock(FSmartLock);
  FStorageTemperature = temperature;
}

void THardDisk::ReadHealthLog() {
  auto reply =
      StorageRequest(*Handle, kIoctlStorageQueryProperty, NvmeHealthLogQuery(), kNvmeHealthQuerySize);
  if (!reply) return;
  auto log = NvmeHealthLogOf(*reply);
  if (!log) return;
  auto health = DecodeNvmeHealthLog(*log);
  if (!health) return;
  std::lock_guard lock(FSmartLock);
  FHealthLog = health;
}

void THardDisk::ReadPartitions() {
  auto reply = StorageRequestGrowing(*Handle, kIoctlDiskGetDriveLayoutEx, kDriveLayoutInitialSize,
                                     kPartitionEntrySize, kErrorInsufficientBuffer, kErrorInsufficientBuffer);
  if (!reply) return;
  TDriveLayout layout = DecodeDriveLayoutEx(*reply);
  FDynamic = layout.Dynamic;
  for (const TLayoutPartition& entry : layout.Partitions) {
    TDiskPartition partition;
    partition.PartNo = entry.PartitionNumber;
    partition.StartingOffset = entry.StartingOffset;
    partition.ExtentLength = entry.PartitionLength;
    FPartitions.Add(std::move(partition));
  }
}

ByteView THardDisk::SmartBlockView() const {
  if (SmartAttributes.empty()) return {};
  return ByteView(SmartAttributes).Sub(kSmartReplyHeaderSize, kSmartBlockSize);
}

std::vector<uint8_t> THardDisk::SmartBlock() const {
  std::lock_guard lock(FSmartLock);
  ByteView block = SmartBlockView();
  return std::vector<uint8_t>(block.data(), block.data() + block.size());
}

void THardDisk::Update() {
  if (!FSmartRead) {
    ReadSmart();
  } else if (!Asleep()) {
    if (!IsNvme()) ReadSmartData();
    bool storageTemperature, healthLog;
    {
      std::lock_guard lock(FSmartLock);
      storageTemperature = FStorageTemperature.has_value();
      healthLog = FHealthLog.has_value();
    }
    if (storageTemperature) ReadStorageTemperature();
    if (healthLog) ReadHealthLog();
  }
}

std::optional<TNvmeHealth> THardDisk::HealthLog() const {
  std::lock_guard lock(FSmartLock);
  return FHealthLog;
}

THddtypes THardDisk::DiskType() const {
  std::lock_guard lock(FSmartLock);
  return FDiskType;
}

bool THardDisk::HasTempSensor() const {
  std::lock_guard lock(FSmartLock);
  return PTemperatureAtt.has_value() || FStorageTemperature.has_value() || FHealthLog.has_value();
}

double THardDisk::GetTemperature() const {
  std::lock_guard lock(FSmartLock);
  if (!PTemperatureAtt) {
    if (FStorageTemperature) return *FStorageTemperature;
    return FHealthLog ? FHealthLog->Temperature : 0;
  }
  auto attribute = SmartAttributeAt(SmartBlockView(), *PTemperatureAtt);
  auto id = TemperatureAttributeId(FDiskType);
  if (!attribute || !id || attribute->Id != *id) return 0;
  return TemperatureOf(FDiskType, *attribute);
}

bool THardDisk::IsSSD() {
  if (FRpm == 1) return true;
  if (FRpm != 0) return false;
  auto reply = StorageRequest(*Handle, kIoctlStorageQueryProperty,
                              StoragePropertyQuery(TStorageProperty::SeekPenalty), kSeekPenaltyReplySize);
  if (!reply) return false;
  auto penalty = DecodeIncursSeekPenalty(*reply);
  return penalty.has_value() && !*penalty;
}

}  // namespace vsm
