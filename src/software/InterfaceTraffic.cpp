#include "software/InterfaceTraffic.h"

namespace vsm {

namespace {

// Bytes moved between two readings of one counter. The 32-bit table's counters wrap at 2^32; a
// 64-bit counter that went backwards was reset (driver restart) and moved nothing we can know.
uint64_t CounterAdvance(uint64_t before, uint64_t now, bool counters32) {
  if (counters32) return static_cast<uint32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(before));
  return now >= before ? now - before : 0;
}

// Only interfaces that carry the machine's own traffic once: a filter or tunnel interface repeats
// bytes that a hardware interface also counts.
bool Counts(const InterfaceCounters& row) {
  return !row.loopback && row.operational && row.hardware && !row.filter && !row.tunnel;
}

}  // namespace

MachineTotals TInterfaceTrafficMeter::Sample(const std::vector<InterfaceCounters>& table) {
  std::map<uint64_t, InterfaceCounters> current;
  for (const InterfaceCounters& row : table) {
    if (Counts(row)) current.emplace(row.key, row);
  }
  for (const auto& [key, row] : current) {
    if (!sampled_) {
      totals_.received += row.inOctets;
      totals_.sent += row.outOctets;
      continue;
    }
    auto before = last_.find(key);
    // An interface that has just appeared only sets its baseline.
    if (before == last_.end()) continue;
    bool wraps = row.counters32 || before->second.counters32;
    totals_.received += CounterAdvance(before->second.inOctets, row.inOctets, wraps);
    totals_.sent += CounterAdvance(before->second.outOctets, row.outOctets, wraps);
  }
  sampled_ = true;
  last_ = std::move(current);
  return totals_;
}

}  // namespace vsm
