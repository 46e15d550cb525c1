#pragma once
// The partitions of a disk with the volumes mounted on them.
#include <cstdint>
#include <string>
#include <vector>

#include "hardware/disk/VolumeExtents.h"

namespace vsm {

struct TDiskPartition {
  uint32_t PartNo = 0;
  int64_t StartingOffset = 0;  // bytes
  int64_t ExtentLength = 0;    // bytes
  std::string GUID;            // volume GUID name without its final backslash
  std::string DeviceName;      // not filled
  std::string PathName;        // mount paths, such as "C:\"
  std::string VolumeName;
  std::string FileSystemName;
  int64_t TotalSpace = 0;
  int64_t FreeAvailable = 0;
  int64_t TotalFree = 0;
};

class TDiskPartitionList {
 public:
  size_t Count() const { return items_.size(); }
  // Nothing for an index out of range.
  TDiskPartition* GetDisk(size_t index) { return index < items_.size() ? &items_[index] : nullptr; }
  const TDiskPartition* GetDisk(size_t index) const {
    return index < items_.size() ? &items_[index] : nullptr;
  }
  void PutDisk(size_t index, TDiskPartition value) {
    if (index < items_.size()) items_[index] = std::move(value);
  }
  TDiskPartition& Add(TDiskPartition value) { return items_.emplace_back(std::move(value)); }
  void Clear() { items_.clear(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  // Attaches a volume, by one of its extents, to a partition. A basic disk's partition must start
  // and end where the extent does; on a dynamic disk, whose table does not show its volumes, the
  // first partition without a volume takes the extent, else a new one is added after the others.
  // Answers the partition, or nothing when a basic disk has none that matches.
  TDiskPartition* AttachVolume(bool dynamic, const TDiskExtent& extent, const std::string& volumeGuid);

 private:
  std::vector<TDiskPartition> items_;
};

}  // namespace vsm
