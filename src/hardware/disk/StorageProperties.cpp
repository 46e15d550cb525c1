#include "hardware/disk/StorageProperties.h"

#include <algorithm>

#include "hardware/disk/DiskStrings.h"

namespace vsm {

std::optional<TDiskGeometry> DecodeDriveGeometryEx(ByteView reply) {
  if (!reply.Has(0, 32)) return std::nullopt;
  TDiskGeometry g;
  g.Cylinders = static_cast<int64_t>(reply.U64(0));
  g.MediaType = reply.U32(8);
  g.TracksPerCylinder = reply.U32(12);
  g.SectorsPerTrack = reply.U32(16);
  g.BytesPerSector = reply.U32(20);
  g.DiskSize = static_cast<int64_t>(reply.U64(24));
  return g;
}

std::vector<uint8_t> StoragePropertyQuery(TStorageProperty property) {
  std::vector<uint8_t> query(12, 0);  // property, query type 0 (standard), additional parameters
  PutLe(query, 0, static_cast<uint32_t>(property), 4);
  return query;
}

std::optional<TStorageDeviceDescriptor> DecodeStorageDeviceDescriptor(ByteView reply) {
  if (!reply.Has(0, 32)) return std::nullopt;
  // Strings lie inside the descriptor's own size as well as inside what came back.
  uint32_t declared = reply.U32(4);
  ByteView descriptor = declared >= 32 ? reply.Sub(0, declared) : reply;
  TStorageDeviceDescriptor d;
  d.BusType = reply.U8(28);
  if (uint32_t offset = reply.U32(24); offset != 0) d.SerialNumber = TrimBlanks(StringAt(descriptor, offset));
  if (uint32_t offset = reply.U32(20); offset != 0) d.ProductRevision = StringAt(descriptor, offset);
  if (uint32_t offset = reply.U32(16); offset != 0) d.ProductId = TrimBlanks(StringAt(descriptor, offset));
  return d;
}

std::optional<double> DecodeStorageTemperature(ByteView reply) {
  constexpr size_t kFirstInfo = 24;
  constexpr size_t kInfoSize = 16;
  if (!reply.Has(0, kFirstInfo)) return std::nullopt;
  // The descriptor's own size bounds the sensors as well as what came back.
  const uint32_t declared = reply.U32(4);
  ByteView descriptor = reply.Sub(0, declared);
  const uint16_t count = reply.U16(12);
  if (count == 0 || !descriptor.Has(kFirstInfo, kInfoSize)) return std::nullopt;
  return double(static_cast<int16_t>(descriptor.U16(kFirstInfo + 2)));
}

std::optional<bool> DecodeIncursSeekPenalty(ByteView reply) {
  if (!reply.Has(8, 1)) return std::nullopt;
  return reply.U8(8) != 0;
}

}  // namespace vsm
