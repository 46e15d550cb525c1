#include "base/text.h"
#include "hardware/disk/DiskList.h"
#include "pages/DeviceTexts.h"
#include "pages/InfoPages.h"
#include "pages/PageFill.h"
#include "pages/RowMarks.h"

namespace vsm {
namespace {

constexpr int kDiskTempClass = 8;

void AddPartition(TInfoRow& disk, const TDiskPartition& partition, const TPageTexts& texts) {
  TInfoRow& row =
      disk.Add(texts.Caption("PartitionNumber", "Partition Number"), Format("%u", partition.PartNo));
  row.Add(texts.Caption("StartingOffset", "Starting Offset"), std::to_string(partition.StartingOffset));
  row.Add(texts.Caption("Drive", "Drive"), partition.PathName);
  row.Add(texts.Caption("FileSystemName", "File System Name"), partition.FileSystemName);
  row.Add(texts.Caption("VolumeName", "Volume Name"), partition.VolumeName);
  row.Add(texts.Caption("TotalSpace", "Total Space"), texts.ByteSize(partition.TotalSpace));
  row.Add(texts.Caption("FreeSpace", "Free Space"), texts.ByteSize(partition.TotalFree));
}

// Wear and hours of an NVMe drive's health log, read again on every draw: the hours grow.
void AddHealthRows(TInfoRow& disk, const THardDisk& drive, const TPageTexts& texts) {
  const THardDisk* source = &drive;
  disk.Add(texts.Caption("PercentageUsed", "Percentage Used")).Live = [source] {
    auto health = source->HealthLog();
    return health ? Format("%u%%", unsigned(health->PercentageUsed)) : std::string();
  };
  disk.Add(texts.Caption("PowerOnHours", "Power-On Hours")).Live = [source] {
    auto health = source->HealthLog();
    return health ? std::to_string(health->PowerOnHours) : std::string();
  };
}

}  // namespace

void FillDiskPage(TInfoTree& tree, const THardwareParts* hardware, const TPageTexts& texts) {
  const TPageFill fill(tree, kInfoRowHeight, {kInfoValueColumn, false});
  if (!hardware || !hardware->hdds) return;
  const auto reading = hardware->reading;
  int index = 0;
  for (const auto& disk : *hardware->hdds) {
    TInfoRow& row = tree.Add(disk->Name());
    row.Expanded = true;
    row.Add(texts.Caption("HDFirmware", "Firmware Version"), disk->FirmwareRevision());
    row.Add(texts.Caption("Serial", "Serial Number"), disk->SerialNumber());
    const int64_t size = static_cast<int64_t>(disk->Size());
    row.Add(texts.Caption("size", "size"), texts.ByteSize(size) + " (" + std::to_string(size) + " bytes)");
    if (disk->IsNvme()) row.Add(texts.Caption("Interface", "Interface"), "NVMe");

    TInfoRow& temperature = row.Add(texts.Caption("Temperature", "Temperature"));
    temperature.Tag = kMarkDiskTemperature | (index & kRowIndexMask);
    temperature.Data = reinterpret_cast<intptr_t>(disk.get());
    temperature.Live = [reading, index, texts] {
      return texts.Temperature(reading ? reading(kDiskTempClass, index) : 0);
    };
    if (disk->HealthLog()) AddHealthRows(row, *disk, texts);

    row.Add(texts.Caption("Cylinders", "Cylinders"), std::to_string(disk->Cylinders()));
    row.Add(texts.Caption("TracksPerCylinder", "Tracks Per Cylinder"),
            std::to_string(disk->TracksPerCylinder()));
    row.Add(texts.Caption("SectorsPerTrack", "Sectors Per Track"), std::to_string(disk->SectorsPerTrack()));
    row.Add(texts.Caption("BytesPerSector", "Bytes Per Sector"), std::to_string(disk->BytesPerSector()));
    if (!disk->Major_ver().empty()) row.Add(texts.Caption("SATAVER", "SATA Version"), disk->Major_ver());
    if (!disk->Minor_ver().empty()) row.Add(texts.Caption("ATAVER", "ATA Version"), disk->Minor_ver());
    if (disk->IsSSD()) {
      row.Add(texts.Caption("SSD", "Solid State Device"));
    } else {
      row.Add(texts.Caption("DiskRPM", "RMP(R/M)"), std::to_string(disk->RPM()));
    }
    row.Add(texts.Caption("MediaType", "Media Type"), MediaTypeText(disk->MediaType()));
    for (const TDiskPartition& partition : disk->Partitions()) AddPartition(row, partition, texts);
    ++index;
  }
}

}  // namespace vsm
