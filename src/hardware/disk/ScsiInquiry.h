#pragma once
// The SCSI INQUIRY fallback for drives that do not answer IDENTIFY: a SCSI_PASS_THROUGH request
// (44-byte header of the 32-bit layout, 24 sense bytes, data from offset 76) and its answer.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/le_bytes.h"

namespace vsm {

constexpr size_t kScsiPassThroughHeaderSize = 44;
constexpr size_t kScsiSenseSize = 24;
constexpr size_t kScsiSenseOffset = 44;
constexpr size_t kScsiDataOffset = 76;
constexpr size_t kScsiInquiryDataSize = 192;
constexpr size_t kScsiInquiryBufferSize = kScsiDataOffset + kScsiInquiryDataSize;  // 268

// The whole 268-byte buffer, used for both input and output.
std::vector<uint8_t> ScsiInquiryRequest();

struct TScsiIdentity {
  std::string Model;         // vendor (bytes 8-15) and product (16-31), printable characters only
  std::string SerialNumber;  // bytes 36-55, trimmed
};

// Nothing when the answer holds less than the 56 inquiry bytes read here.
std::optional<TScsiIdentity> DecodeScsiInquiry(ByteView reply);

}  // namespace vsm
