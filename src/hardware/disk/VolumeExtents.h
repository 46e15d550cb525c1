#pragma once
// VOLUME_DISK_EXTENTS: where a volume lies on which disks.
#include <cstdint>
#include <vector>

#include "base/le_bytes.h"

namespace vsm {

constexpr size_t kVolumeExtentsInitialSize = 32;  // the header and one extent
constexpr size_t kVolumeExtentSize = 24;

struct TDiskExtent {
  uint32_t DiskNumber = 0;
  int64_t StartingOffset = 0;
  int64_t ExtentLength = 0;
};

// The extents the answer holds: as many as it counts, as far as its bytes reach.
std::vector<TDiskExtent> DecodeVolumeDiskExtents(ByteView reply);

}  // namespace vsm
