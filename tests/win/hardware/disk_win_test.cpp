#include <windows.h>
#include <ntddscsi.h>
#include <nvme.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <cstring>

#include "base/wide_win.h"
#include "hardware/disk/DriveLayout.h"
#include "hardware/disk/HardDisk.h"
#include "hardware/disk/NvmeHealthLog.h"
#include "hardware/disk/ScsiInquiry.h"
#include "hardware/disk/SmartCommand.h"
#include "hardware/disk/StorageDevice_win.h"
#include "hardware/disk/StorageProperties.h"
#include "hardware/disk/VolumeExtents.h"
#include "hardware/disk/VolumeSystem_win.h"

namespace vsm {
namespace {

template <class T>
std::vector<uint8_t> BytesOf(const T& value, size_t size = sizeof(T)) {
  std::vector<uint8_t> bytes(size);
  std::memcpy(bytes.data(), &value, size);
  return bytes;
}

// The decoders and request builders against the structures of the Windows headers.
TEST(DiskLayoutsOnWindows, AnswersDecodeFromTheSystemStructures) {
  struct {
    VOLUME_DISK_EXTENTS head;
    DISK_EXTENT more;
  } extents{};
  extents.head.NumberOfDiskExtents = 2;
  extents.head.Extents[0] = {3, {{0x100000, 0}}, {{0x200000, 1}}};
  extents.more = {7, {{0x300000, 0}}, {{0x400000, 0}}};
  std::vector<TDiskExtent> decoded = DecodeVolumeDiskExtents(BytesOf(extents));
  ASSERT_EQ(decoded.size(), 2u);
  EXPECT_EQ(decoded[0].DiskNumber, 3u);
  EXPECT_EQ(decoded[0].ExtentLength, 0x100200000LL);
  EXPECT_EQ(decoded[1].DiskNumber, 7u);
  EXPECT_EQ(decoded[1].StartingOffset, 0x300000);
  EXPECT_EQ(sizeof(VOLUME_DISK_EXTENTS), kVolumeExtentsInitialSize);

  struct {
    DRIVE_LAYOUT_INFORMATION_EX head;
    PARTITION_INFORMATION_EX more[2];
  } layout{};
  EXPECT_EQ(sizeof(layout.head) + 10 * sizeof(PARTITION_INFORMATION_EX), kDriveLayoutInitialSize);
  EXPECT_EQ(sizeof(PARTITION_INFORMATION_EX), kPartitionEntrySize);
  layout.head.PartitionStyle = PARTITION_STYLE_GPT;
  layout.head.PartitionCount = 3;
  PARTITION_INFORMATION_EX* entries[] = {&layout.head.PartitionEntry[0], &layout.more[0], &layout.more[1]};
  const GUID basic = {0xEBD0A0A2, 0xB9E5, 0x4433, {0x87, 0xC0, 0x68, 0xB6, 0xB7, 0x26, 0x99, 0xC7}};
  const GUID ldmData = {0xAF9B60A0, 0x1431, 0x4F62, {0xBC, 0x68, 0x33, 0x11, 0x71, 0x4A, 0x69, 0xAD}};
  for (int i = 0; i < 3; ++i) {
    entries[i]->PartitionStyle = PARTITION_STYLE_GPT;
    entries[i]->StartingOffset.QuadPart = 0x100000LL * (i + 1);
    entries[i]->PartitionLength.QuadPart = 0x10000000LL;
    entries[i]->PartitionNumber = i == 1 ? 0 : i + 1;
    entries[i]->Gpt.PartitionType = i == 2 ? ldmData : basic;
  }
  TDriveLayout decodedLayout = DecodeDriveLayoutEx(BytesOf(layout));
  EXPECT_TRUE(decodedLayout.Dynamic);
  ASSERT_EQ(decodedLayout.Partitions.size(), 2u);
  EXPECT_EQ(decodedLayout.Partitions[1].PartitionNumber, 3u);
  EXPECT_EQ(decodedLayout.Partitions[1].StartingOffset, 0x300000);

  layout.head.PartitionStyle = PARTITION_STYLE_MBR;
  for (PARTITION_INFORMATION_EX* entry : entries) {
    entry->PartitionStyle = PARTITION_STYLE_MBR;
    entry->Mbr.PartitionType = PARTITION_IFS;
  }
  EXPECT_FALSE(DecodeDriveLayoutEx(BytesOf(layout)).Dynamic);
  entries[0]->Mbr.PartitionType = PARTITION_LDM;
  EXPECT_TRUE(DecodeDriveLayoutEx(BytesOf(layout)).Dynamic);

  DISK_GEOMETRY_EX geometry{};
  geometry.Geometry.Cylinders.QuadPart = 121601;
  geometry.Geometry.MediaType = FixedMedia;
  geometry.Geometry.TracksPerCylinder = 255;
  geometry.Geometry.SectorsPerTrack = 63;
  geometry.Geometry.BytesPerSector = 4096;
  geometry.DiskSize.QuadPart = 1000204886016LL;
  auto g = DecodeDriveGeometryEx(BytesOf(geometry));
  ASSERT_TRUE(g);
  EXPECT_EQ(g->Cylinders, 121601);
  EXPECT_EQ(g->MediaType, 12u);
  EXPECT_EQ(g->TracksPerCylinder, 255u);
  EXPECT_EQ(g->SectorsPerTrack, 63u);
  EXPECT_EQ(g->BytesPerSector, 4096u);
  EXPECT_EQ(g->DiskSize, 1000204886016LL);

  struct {
    STORAGE_DEVICE_DESCRIPTOR d;
    char strings[32];
  } descriptor{};
  descriptor.d.Size = sizeof descriptor;
  descriptor.d.BusType = BusTypeSata;
  descriptor.d.SerialNumberOffset = offsetof(decltype(descriptor), strings);
  descriptor.d.ProductRevisionOffset = offsetof(decltype(descriptor), strings) + 16;
  std::strcpy(descriptor.strings, "  S1ABC  ");
  std::strcpy(descriptor.strings + 16, "EXT0");
  auto dd = DecodeStorageDeviceDescriptor(BytesOf(descriptor));
  ASSERT_TRUE(dd);
  EXPECT_EQ(dd->BusType, BusTypeSata);
  EXPECT_EQ(dd->SerialNumber, "S1ABC");
  EXPECT_EQ(dd->ProductRevision, "EXT0");

  DEVICE_SEEK_PENALTY_DESCRIPTOR penalty{sizeof penalty, sizeof penalty, TRUE};
  EXPECT_EQ(DecodeIncursSeekPenalty(BytesOf(penalty)), true);
  penalty.IncursSeekPenalty = FALSE;
  EXPECT_EQ(DecodeIncursSeekPenalty(BytesOf(penalty)), false);
}

TEST(DiskLayoutsOnWindows, RequestsFillTheSystemStructures) {
  std::vector<uint8_t> block = SmartCommandBlock(TSmartCommand::ReadData, 3);
  ASSERT_EQ(block.size(), sizeof(SENDCMDINPARAMS));
  SENDCMDINPARAMS command;
  std::memcpy(&command, block.data(), sizeof command);
  EXPECT_EQ(command.irDriveRegs.bFeaturesReg, READ_ATTRIBUTES);
  EXPECT_EQ(command.irDriveRegs.bCylLowReg, SMART_CYL_LOW);
  EXPECT_EQ(command.irDriveRegs.bCylHighReg, SMART_CYL_HI);
  EXPECT_EQ(command.irDriveRegs.bCommandReg, SMART_CMD);
  EXPECT_EQ(command.bDriveNumber, 3);
  EXPECT_EQ(kSmartReplyHeaderSize, offsetof(SENDCMDOUTPARAMS, bBuffer));
  std::memcpy(&command, SmartCommandBlock(TSmartCommand::IdentifyDevice, 0).data(), sizeof command);
  EXPECT_EQ(command.irDriveRegs.bCommandReg, ID_CMD);
  EXPECT_EQ(command.cBufferSize, sizeof(SENDCMDOUTPARAMS) - 1 + IDENTIFY_BUFFER_SIZE);
  std::memcpy(&command, SmartCommandBlock(TSmartCommand::EnableOperations, 0).data(), sizeof command);
  EXPECT_EQ(command.irDriveRegs.bFeaturesReg, ENABLE_SMART);

  std::vector<uint8_t> inquiry = ScsiInquiryRequest();
  SCSI_PASS_THROUGH spt;
  std::memcpy(&spt, inquiry.data(), sizeof spt);
  EXPECT_EQ(spt.Length, sizeof(SCSI_PASS_THROUGH));
  EXPECT_EQ(spt.TargetId, 1);
  EXPECT_EQ(spt.CdbLength, 6);
  EXPECT_EQ(spt.SenseInfoLength, 24);
  EXPECT_EQ(spt.DataIn, SCSI_IOCTL_DATA_IN);
  EXPECT_EQ(spt.DataTransferLength, 192u);
  EXPECT_EQ(spt.TimeOutValue, 2u);
  EXPECT_EQ(spt.DataBufferOffset, 76u);
  EXPECT_EQ(spt.SenseInfoOffset, sizeof(SCSI_PASS_THROUGH));
  EXPECT_EQ(spt.Cdb[0], 0x12);
  EXPECT_EQ(spt.Cdb[4], 0xC0);

  STORAGE_PROPERTY_QUERY query;
  std::vector<uint8_t> q = StoragePropertyQuery(TStorageProperty::SeekPenalty);
  ASSERT_EQ(q.size(), sizeof query);
  std::memcpy(&query, q.data(), sizeof query);
  EXPECT_EQ(query.PropertyId, StorageDeviceSeekPenaltyProperty);
  EXPECT_EQ(query.QueryType, PropertyStandardQuery);
  EXPECT_EQ(kIoctlStorageQueryProperty, IOCTL_STORAGE_QUERY_PROPERTY);
  EXPECT_EQ(kIoctlDiskGetDriveLayoutEx, IOCTL_DISK_GET_DRIVE_LAYOUT_EX);
  EXPECT_EQ(kIoctlDiskGetDriveGeometryEx, IOCTL_DISK_GET_DRIVE_GEOMETRY_EX);
  EXPECT_EQ(kIoctlVolumeGetVolumeDiskExtents, IOCTL_VOLUME_GET_VOLUME_DISK_EXTENTS);
  EXPECT_EQ(kSmartRcvDriveData, SMART_RCV_DRIVE_DATA);
  EXPECT_EQ(kSmartSendDriveCommand, SMART_SEND_DRIVE_COMMAND);
  EXPECT_EQ(kIoctlScsiPassThrough, IOCTL_SCSI_PASS_THROUGH);
}

// Not in MinGW's headers: STORAGE_TEMPERATURE_INFO and STORAGE_TEMPERATURE_DATA_DESCRIPTOR as
// Microsoft documents them (ntddstor.h, winioctl.h).
struct DocumentedTemperatureInfo {
  WORD Index;
  SHORT Temperature;
  SHORT OverThreshold;
  SHORT UnderThreshold;
  BOOLEAN OverThresholdChangable;
  BOOLEAN UnderThresholdChangable;
  BOOLEAN EventGenerated;
  BYTE Reserved0;
  DWORD Reserved1;
};
struct DocumentedTemperatureDescriptor {
  DWORD Version;
  DWORD Size;
  SHORT CriticalTemperature;
  SHORT WarningTemperature;
  WORD InfoCount;
  BYTE Reserved0[2];
  DWORD Reserved1[2];
  DocumentedTemperatureInfo TemperatureInfo[2];
};

// The NVMe query and the temperature property against the system structures.
TEST(DiskLayoutsOnWindows, NvmeAndTemperatureStructures) {
  std::vector<uint8_t> q = StoragePropertyQuery(TStorageProperty::DeviceTemperature);
  STORAGE_PROPERTY_QUERY query;
  std::memcpy(&query, q.data(), sizeof query);
  EXPECT_EQ(query.PropertyId, StorageDeviceTemperatureProperty);

  std::vector<uint8_t> log = NvmeHealthLogQuery();
  const size_t protocolAt = offsetof(STORAGE_PROPERTY_QUERY, AdditionalParameters);
  ASSERT_EQ(log.size(), protocolAt + sizeof(STORAGE_PROTOCOL_SPECIFIC_DATA) + sizeof(NVME_HEALTH_INFO_LOG));
  std::memcpy(&query, log.data(), protocolAt);
  EXPECT_EQ(query.PropertyId, StorageDeviceProtocolSpecificProperty);
  EXPECT_EQ(query.QueryType, PropertyStandardQuery);
  STORAGE_PROTOCOL_SPECIFIC_DATA protocol;
  std::memcpy(&protocol, log.data() + protocolAt, sizeof protocol);
  EXPECT_EQ(protocol.ProtocolType, ProtocolTypeNvme);
  EXPECT_EQ(protocol.DataType, DWORD(NVMeDataTypeLogPage));
  EXPECT_EQ(protocol.ProtocolDataRequestValue, DWORD(NVME_LOG_PAGE_HEALTH_INFO));
  EXPECT_EQ(protocol.ProtocolDataOffset, sizeof(STORAGE_PROTOCOL_SPECIFIC_DATA));
  EXPECT_EQ(protocol.ProtocolDataLength, sizeof(NVME_HEALTH_INFO_LOG));

  struct {
    STORAGE_PROTOCOL_DATA_DESCRIPTOR descriptor;
    NVME_HEALTH_INFO_LOG health;
  } reply{};
  reply.descriptor.Version = sizeof(STORAGE_PROTOCOL_DATA_DESCRIPTOR);
  reply.descriptor.Size = sizeof reply;
  reply.descriptor.ProtocolSpecificData = protocol;
  reply.health.Temperature[0] = (318 & 0xFF);
  reply.health.Temperature[1] = (318 >> 8);
  reply.health.PercentageUsed = 7;
  reply.health.PowerOnHours[0] = 0x34;
  reply.health.PowerOnHours[1] = 0x12;
  auto page = NvmeHealthLogOf(BytesOf(reply));
  ASSERT_TRUE(page);
  auto health = DecodeNvmeHealthLog(*page);
  ASSERT_TRUE(health);
  EXPECT_EQ(health->Temperature, 45);
  EXPECT_EQ(health->PercentageUsed, 7);
  EXPECT_EQ(health->PowerOnHours, 0x1234u);
  EXPECT_EQ(kBusTypeNvme, BusTypeNvme);

  DocumentedTemperatureDescriptor temperature{};
  temperature.Version = sizeof temperature;
  temperature.Size = sizeof temperature;
  temperature.InfoCount = 2;
  temperature.TemperatureInfo[0].Temperature = 39;
  temperature.TemperatureInfo[1].Temperature = 51;
  EXPECT_EQ(DecodeStorageTemperature(BytesOf(temperature)), 39);
}

TEST(DisksOnWine, EnumerationReturnsWhateverTheSystemProvides) {
  TWinVolumeSystem system;
  auto volumes = system.Volumes();
  ASSERT_TRUE(volumes.has_value());  // Wine has volume enumeration
  for (size_t i = 0; i < volumes->size(); ++i) {
    const std::string& volume = (*volumes)[i];
    EXPECT_EQ(volume.back(), '\\') << volume;
    TVolumeDetails details = system.VolumeDetails(volume);
    RecordProperty("volume" + std::to_string(i),
                   volume + " -> " + details.PathName + " " + details.FileSystemName);
  }
  auto disks = EnumerateWindowsDisks();
  ASSERT_NE(disks, nullptr);
  for (const auto& disk : *disks) {
    RecordProperty("disk" + std::to_string(disk->Index()), disk->Name());
    EXPECT_EQ(disks->FindDisk(disk->Index()), disk.get());
    EXPECT_GE(disk->GetTemperature(), 0);
    disk->Update();
    disk->IsSSD();
  }
  EXPECT_EQ(disks->HasTempSensor(), disks->Count() > 0 && disks->GetDisk(0)->HasTempSensor());
}

// Every disk request against the devices Wine lets this process open: whatever Wine does not
// support must fail quietly and leave the fields empty.
TEST(DisksOnWine, AllRequestsOnTheDevicesWineOpens) {
  TWinVolumeSystem system;
  std::vector<std::pair<std::string, std::unique_ptr<TStorageDevice>>> devices;
  devices.emplace_back("PhysicalDrive0 for SMART", system.OpenPhysicalDrive(0));
  for (const wchar_t* path : {L"\\\\.\\PhysicalDrive0", L"\\\\.\\C:"})
    devices.emplace_back(Narrow(path),
                         OpenStorageDevice(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0));
  if (auto volumes = system.Volumes(); volumes && !volumes->empty())
    devices.emplace_back(volumes->front(),
                         system.OpenVolume(volumes->front().substr(0, volumes->front().size() - 1)));
  int opened = 0;
  for (auto& [label, device] : devices) {
    if (!device) continue;
    ++opened;
    THardDisk disk(0, std::move(device));
    RecordProperty("device" + std::to_string(opened),
                   label + ": \"" + disk.Name() + "\" " + std::to_string(disk.Size()) + " bytes, " +
                       std::to_string(disk.Partitions().Count()) + " partitions");
    disk.Update();
    EXPECT_GE(disk.GetTemperature(), 0);
    disk.IsSSD();
  }
  EXPECT_GT(opened, 0);
}

}  // namespace
}  // namespace vsm
