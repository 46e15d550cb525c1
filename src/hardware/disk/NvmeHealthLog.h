#pragma once
// The NVMe SMART / health information log (log page 02h), asked through the storage
// protocol-specific query, which needs no ATA command and works on the inbox NVMe driver of
// Windows 10 and later.
#include <cstdint>
#include <optional>
#include <vector>

#include "base/le_bytes.h"

namespace vsm {

// Property of the query: the device (namespace) answers log pages.
constexpr uint32_t kStorageDeviceProtocolSpecificProperty = 50;
constexpr size_t kNvmeHealthLogSize = 512;
// STORAGE_PROPERTY_QUERY up to its additional parameters, STORAGE_PROTOCOL_SPECIFIC_DATA, the log.
constexpr size_t kNvmeHealthQuerySize = 8 + 40 + kNvmeHealthLogSize;

// The request: property 50, standard query, then the protocol data asking for log page 02h of
// the whole controller into the space that follows it.
std::vector<uint8_t> NvmeHealthLogQuery();

// The log page inside a STORAGE_PROTOCOL_DATA_DESCRIPTOR reply; nothing when the reply is not a
// descriptor, its data lies outside what came back or is shorter than the log.
std::optional<ByteView> NvmeHealthLogOf(ByteView reply);

struct TNvmeHealth {
  double Temperature = 0;      // composite temperature, degrees Celsius; 0 when the drive reports none
  uint8_t PercentageUsed = 0;  // estimate of the life used; may pass 100
  uint64_t PowerOnHours = 0;   // the low 64 bits of the 128-bit counter (no drive comes near them)
};
// Decodes a 512-byte log page; nothing when it is shorter.
std::optional<TNvmeHealth> DecodeNvmeHealthLog(ByteView log);

}  // namespace vsm
