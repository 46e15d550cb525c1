#include "hardware/disk/DriveLayout.h"

#include <algorithm>
#include <array>

namespace vsm {

namespace {

constexpr size_t kFirstEntry = 48;  // style, count, then the 40-byte MBR/GPT union
constexpr uint32_t kStyleMbr = 0;
constexpr uint32_t kStyleGpt = 1;
constexpr uint8_t kMbrTypeLdm = 0x42;

using Guid = std::array<uint8_t, 16>;

// GUIDs as they lie in memory: the first three fields little-endian.
constexpr Guid kGptLdmMetadata = {
    0xAA, 0xC8, 0x08, 0x58, 0x8F, 0x7E, 0xE0, 0x42,
    0x85, 0xD2, 0xE1, 0xE9, 0x04, 0x34, 0xCF, 0xB3};  // {5808C8AA-7E8F-42E0-85D2-E1E90434CFB3}
constexpr Guid kGptLdmData = {
    0xA0, 0x60, 0x9B, 0xAF, 0x31, 0x14, 0x62, 0x4F,
    0xBC, 0x68, 0x33, 0x11, 0x71, 0x4A, 0x69, 0xAD};  // {AF9B60A0-1431-4F62-BC68-3311714A69AD}

bool GuidAt(ByteView entry, size_t at, const Guid& guid) {
  return entry.Has(at, guid.size()) && std::equal(guid.begin(), guid.end(), entry.data() + at);
}

bool MarksDynamic(ByteView entry) {
  switch (entry.U32(0)) {
    case kStyleMbr: return entry.U8(32) == kMbrTypeLdm;
    case kStyleGpt: return GuidAt(entry, 32, kGptLdmMetadata) || GuidAt(entry, 32, kGptLdmData);
    default: return false;
  }
}

}  // namespace

TDriveLayout DecodeDriveLayoutEx(ByteView reply) {
  TDriveLayout layout;
  uint32_t count = reply.U32(4);
  for (uint32_t i = 0; i < count; ++i) {
    size_t at = kFirstEntry + static_cast<size_t>(i) * kPartitionEntrySize;
    if (!reply.Has(at, kPartitionEntrySize)) break;
    ByteView entry = reply.Sub(at, kPartitionEntrySize);
    if (MarksDynamic(entry)) layout.Dynamic = true;
    uint32_t number = entry.U32(24);
    if (number != 0)
      layout.Partitions.push_back(
          {number, static_cast<int64_t>(entry.U64(8)), static_cast<int64_t>(entry.U64(16))});
  }
  return layout;
}

}  // namespace vsm
