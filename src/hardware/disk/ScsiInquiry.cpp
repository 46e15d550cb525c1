#include "hardware/disk/ScsiInquiry.h"

#include <algorithm>

#include "hardware/disk/DiskStrings.h"

namespace vsm {

namespace {

constexpr uint8_t kInquiry = 0x12;
constexpr size_t kInquiryBytesUsed = 56;

std::string Printable(ByteView data, size_t from, size_t to) {
  std::string text;
  for (size_t i = from; i < to; ++i) {
    if (data.U8(i) >= ' ') text += static_cast<char>(data.U8(i));
  }
  return text;
}

}  // namespace

std::vector<uint8_t> ScsiInquiryRequest() {
  std::vector<uint8_t> buffer(kScsiInquiryBufferSize, 0);
  PutLe(buffer, 0, kScsiPassThroughHeaderSize, 2);  // Length
  // ScsiStatus 0, PathId 0, TargetId 1, Lun 0, CdbLength 6, SenseInfoLength 24, DataIn 1 (read)
  buffer[4] = 1;
  buffer[6] = 6;
  buffer[7] = kScsiSenseSize;
  buffer[8] = 1;
  PutLe(buffer, 12, kScsiInquiryDataSize, 4);  // DataTransferLength
  PutLe(buffer, 16, 2, 4);                     // TimeOutValue, seconds
  PutLe(buffer, 20, kScsiDataOffset, 4);       // DataBufferOffset
  PutLe(buffer, 24, kScsiSenseOffset, 4);      // SenseInfoOffset
  buffer[28] = kInquiry;
  buffer[28 + 4] = 0xC0;  // allocation length
  return buffer;
}

std::optional<TScsiIdentity> DecodeScsiInquiry(ByteView reply) {
  // The driver reports in DataTransferLength how much inquiry data it delivered.
  size_t delivered = std::min<size_t>(reply.U32(12), kScsiInquiryDataSize);
  ByteView data = reply.Sub(kScsiDataOffset, delivered);
  if (data.size() < kInquiryBytesUsed) return std::nullopt;
  TScsiIdentity id;
  id.Model = TrimBlanks(Printable(data, 8, 16) + Printable(data, 16, 32));
  id.SerialNumber = TrimBlanks(std::string_view(reinterpret_cast<const char*>(data.data()) + 36, 20));
  return id;
}

}  // namespace vsm
