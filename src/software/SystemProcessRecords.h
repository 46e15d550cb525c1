#pragma once
// The system's process-information records (NtQuerySystemInformation, class 5) as a 32-bit
// process receives them: every process's id, start time and kernel and user times in one call,
// also for processes that cannot be opened.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/le_bytes.h"
#include "software/ProcessItem.h"

namespace vsm {

struct TProcessTimes {
  uint32_t id = 0;
  uint64_t created = 0;  // 100-ns units since 1601
  int64_t kernel = 0;    // 100-ns units
  int64_t user = 0;
};

// Offsets in one record of the 32-bit layout.
inline constexpr size_t kProcessRecordNextOffset = 0x00;
inline constexpr size_t kProcessRecordCreateTime = 0x20;
inline constexpr size_t kProcessRecordUserTime = 0x28;
inline constexpr size_t kProcessRecordKernelTime = 0x30;
inline constexpr size_t kProcessRecordProcessId = 0x44;
inline constexpr size_t kProcessRecordMinimumSize = 0x48;

// Decodes the chain of records into `out` (cleared first), sorted by id. A record that does not
// lie wholly in the buffer, or a link that does not move past the fields read, ends the chain.
void DecodeSystemProcessRecords(ByteView buffer, std::vector<TProcessTimes>& out);

// The record of a process in sorted records, matched by id and start time; null when absent.
const TProcessTimes* FindProcessTimes(const std::vector<TProcessTimes>& sorted,
                                      const TProcessIdentity& process);

// Size to try next after a query answered that `current` bytes are too few; it asked for
// `needed` (0 when it did not say). Room to spare, since processes may start in between.
size_t GrownQuerySize(size_t current, size_t needed);

}  // namespace vsm
