#include "hardware/disk/DiskList.h"

#include "hardware/disk/VolumeExtents.h"

namespace vsm {

namespace {

std::string WithoutTrailingBackslash(const std::string& name) {
  return !name.empty() && name.back() == '\\' ? name.substr(0, name.size() - 1) : name;
}

std::vector<TDiskExtent> VolumeExtents(TVolumeSystem& system, const std::string& volume) {
  auto handle = system.OpenVolume(WithoutTrailingBackslash(volume));
  if (!handle) return {};
  auto reply = StorageRequestGrowing(*handle, kIoctlVolumeGetVolumeDiskExtents, kVolumeExtentsInitialSize,
                                     kVolumeExtentSize, kErrorInsufficientBuffer, kErrorMoreData);
  if (!reply) return {};
  return DecodeVolumeDiskExtents(*reply);
}

void FillVolumeDetails(TVolumeSystem& system, TDiskPartition& partition) {
  TVolumeDetails details = system.VolumeDetails(partition.GUID + "\\");
  partition.PathName = details.PathName;
  if (details.PathName.empty()) {
    partition.TotalSpace = partition.ExtentLength;
    return;
  }
  partition.VolumeName = details.VolumeName;
  partition.FileSystemName = details.FileSystemName;
  partition.TotalSpace = details.TotalSpace;
  partition.FreeAvailable = details.FreeAvailable;
  partition.TotalFree = details.TotalFree;
}

}  // namespace

THardDisk* TDiskList::FindDisk(uint32_t diskNumber) const {
  for (const auto& disk : items_) {
    if (disk->Index() == diskNumber) return disk.get();
  }
  return nullptr;
}

std::unique_ptr<TDiskList> EnumerateDisks(TVolumeSystem& system) {
  auto list = std::make_unique<TDiskList>();
  auto volumes = system.Volumes();
  if (!volumes) return list;
  for (const std::string& volume : *volumes) {
    std::string guid = WithoutTrailingBackslash(volume);
    for (const TDiskExtent& extent : VolumeExtents(system, volume)) {
      THardDisk* disk = list->FindDisk(extent.DiskNumber);
      if (disk == nullptr) {
        auto handle = system.OpenPhysicalDrive(extent.DiskNumber);
        if (!handle) break;
        disk = &list->Add(std::make_unique<THardDisk>(extent.DiskNumber, std::move(handle)));
      }
      if (TDiskPartition* partition = disk->Partitions().AttachVolume(disk->IsDynamic(), extent, guid))
        FillVolumeDetails(system, *partition);
    }
  }
  return list;
}

}  // namespace vsm
