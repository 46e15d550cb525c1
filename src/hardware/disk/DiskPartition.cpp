#include "hardware/disk/DiskPartition.h"

namespace vsm {

TDiskPartition* TDiskPartitionList::AttachVolume(bool dynamic, const TDiskExtent& extent,
                                                 const std::string& volumeGuid) {
  TDiskPartition* target = nullptr;
  if (!dynamic) {
    for (auto& partition : items_) {
      if (partition.StartingOffset == extent.StartingOffset &&
          partition.ExtentLength == extent.ExtentLength) {
        target = &partition;
        break;
      }
    }
    if (target == nullptr) return nullptr;
  } else {
    for (auto& partition : items_) {
      if (partition.GUID.empty()) {
        target = &partition;
        break;
      }
    }
    if (target == nullptr) {
      TDiskPartition added;
      added.PartNo = static_cast<uint32_t>(items_.size() + 1);
      target = &Add(std::move(added));
    }
    target->StartingOffset = extent.StartingOffset;
    target->ExtentLength = extent.ExtentLength;
  }
  target->GUID = volumeGuid;
  return target;
}

}  // namespace vsm
