#include "hardware/disk/NvmeHealthLog.h"

namespace vsm {

namespace {

constexpr uint32_t kProtocolTypeNvme = 3;
constexpr uint32_t kNvmeDataTypeLogPage = 2;
constexpr uint32_t kNvmeLogPageHealthInfo = 2;
constexpr size_t kProtocolDataSize = 40;
// Where the protocol data starts in the query and in the reply (after Version and Size).
constexpr size_t kQueryProtocolData = 8;
constexpr size_t kReplyProtocolData = 8;
// Whole kelvin, as the log holds them, to whole degrees, as drive tools show them.
constexpr int kZeroCelsiusInKelvin = 273;

}  // namespace

std::vector<uint8_t> NvmeHealthLogQuery() {
  std::vector<uint8_t> query(kNvmeHealthQuerySize, 0);
  PutLe(query, 0, kStorageDeviceProtocolSpecificProperty, 4);
  PutLe(query, 4, 0, 4);  // standard query
  const size_t at = kQueryProtocolData;
  PutLe(query, at + 0, kProtocolTypeNvme, 4);
  PutLe(query, at + 4, kNvmeDataTypeLogPage, 4);
  PutLe(query, at + 8, kNvmeLogPageHealthInfo, 4);
  PutLe(query, at + 12, 0, 4);  // from the start of the page
  PutLe(query, at + 16, kProtocolDataSize, 4);
  PutLe(query, at + 20, kNvmeHealthLogSize, 4);
  return query;
}

std::optional<ByteView> NvmeHealthLogOf(ByteView reply) {
  if (!reply.Has(0, kReplyProtocolData + kProtocolDataSize)) return std::nullopt;
  const uint32_t offset = reply.U32(kReplyProtocolData + 16);
  const uint32_t length = reply.U32(kReplyProtocolData + 20);
  if (length < kNvmeHealthLogSize) return std::nullopt;
  // The offset counts from the protocol data; both must lie inside what the device returned.
  const size_t start = kReplyProtocolData + size_t(offset);
  if (offset < kProtocolDataSize || !reply.Has(start, kNvmeHealthLogSize)) return std::nullopt;
  return reply.Sub(start, kNvmeHealthLogSize);
}

std::optional<TNvmeHealth> DecodeNvmeHealthLog(ByteView log) {
  if (!log.Has(0, kNvmeHealthLogSize)) return std::nullopt;
  TNvmeHealth health;
  if (const uint16_t kelvin = log.U16(1); kelvin != 0)
    health.Temperature = double(int(kelvin) - kZeroCelsiusInKelvin);
  health.PercentageUsed = log.U8(5);
  health.PowerOnHours = log.U64(128);
  return health;
}

}  // namespace vsm
