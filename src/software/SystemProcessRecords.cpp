#include "software/SystemProcessRecords.h"

#include <algorithm>

namespace vsm {

void DecodeSystemProcessRecords(ByteView buffer, std::vector<TProcessTimes>& out) {
  out.clear();
  size_t offset = 0;
  while (buffer.Has(offset, kProcessRecordMinimumSize)) {
    TProcessTimes times;
    times.id = buffer.U32(offset + kProcessRecordProcessId);
    times.created = buffer.U64(offset + kProcessRecordCreateTime);
    times.user = static_cast<int64_t>(buffer.U64(offset + kProcessRecordUserTime));
    times.kernel = static_cast<int64_t>(buffer.U64(offset + kProcessRecordKernelTime));
    out.push_back(times);
    const uint32_t next = buffer.U32(offset + kProcessRecordNextOffset);
    if (next < kProcessRecordMinimumSize) break;  // 0 marks the last record
    offset += next;
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const TProcessTimes& a, const TProcessTimes& b) { return a.id < b.id; });
}

const TProcessTimes* FindProcessTimes(const std::vector<TProcessTimes>& sorted,
                                      const TProcessIdentity& process) {
  auto at = std::lower_bound(sorted.begin(), sorted.end(), process.id,
                             [](const TProcessTimes& times, uint32_t id) { return times.id < id; });
  for (; at != sorted.end() && at->id == process.id; ++at) {
    if (SameProcess({at->id, at->created}, process)) return &*at;
  }
  return nullptr;
}

size_t GrownQuerySize(size_t current, size_t needed) {
  const size_t doubled = current > SIZE_MAX / 2 ? SIZE_MAX : current * 2;
  if (needed <= current) return doubled;
  const size_t spare = needed / 8 + 4096;
  return needed > SIZE_MAX - spare ? SIZE_MAX : needed + spare;
}

}  // namespace vsm
