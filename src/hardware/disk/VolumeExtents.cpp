#include "hardware/disk/VolumeExtents.h"

namespace vsm {

namespace {

// The count is followed by 4 bytes of padding: the extents hold 64-bit fields.
constexpr size_t kFirstExtent = 8;

}  // namespace

std::vector<TDiskExtent> DecodeVolumeDiskExtents(ByteView reply) {
  std::vector<TDiskExtent> extents;
  uint32_t count = reply.U32(0);
  for (uint32_t i = 0; i < count; ++i) {
    size_t at = kFirstExtent + static_cast<size_t>(i) * kVolumeExtentSize;
    if (!reply.Has(at, kVolumeExtentSize)) break;
    extents.push_back(
        {reply.U32(at), static_cast<int64_t>(reply.U64(at + 8)), static_cast<int64_t>(reply.U64(at + 16))});
  }
  return extents;
}

}  // namespace vsm
