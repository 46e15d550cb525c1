#pragma once
// DRIVE_LAYOUT_INFORMATION_EX: the partition table of a disk, MBR or GPT, and whether it marks
// the disk as dynamic (managed by the logical disk manager).
#include <cstdint>
#include <vector>

#include "base/le_bytes.h"

namespace vsm {

constexpr size_t kDriveLayoutInitialSize = 1632;  // the header and 11 entries
constexpr size_t kPartitionEntrySize = 144;

struct TLayoutPartition {
  uint32_t PartitionNumber = 0;
  int64_t StartingOffset = 0;
  int64_t PartitionLength = 0;
};

struct TDriveLayout {
  bool Dynamic = false;
  std::vector<TLayoutPartition> Partitions;  // entries with a partition number, in table order
};

// As many entries as the answer counts, as far as its bytes reach.
TDriveLayout DecodeDriveLayoutEx(ByteView reply);

}  // namespace vsm
