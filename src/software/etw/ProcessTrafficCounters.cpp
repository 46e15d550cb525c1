#include "software/etw/ProcessTrafficCounters.h"

#include <algorithm>

namespace vsm {

void TProcessTrafficCounters::Add(const NetworkTransfer& transfer) {
  std::lock_guard guard(lock_);
  auto found = totals_.find(transfer.processId);
  if (found == totals_.end()) {
    if (totals_.size() >= kMaxProcesses) return;
    found = totals_.emplace(transfer.processId, TrafficTotals{}).first;
  }
  // 64-bit totals: at line rate they would take centuries to wrap; the engine's per-period
  // rates are differences of the low 32 bits, as with the driver's counters.
  if (transfer.direction == TrafficDirection::Sent) {
    found->second.sent += transfer.bytes;
  } else {
    found->second.received += transfer.bytes;
  }
}

std::optional<TrafficTotals> TProcessTrafficCounters::Totals(uint32_t processId) const {
  std::lock_guard guard(lock_);
  auto found = totals_.find(processId);
  if (found == totals_.end()) return std::nullopt;
  return found->second;
}

void TProcessTrafficCounters::KeepOnly(const std::vector<uint32_t>& running) {
  std::lock_guard guard(lock_);
  for (auto entry = totals_.begin(); entry != totals_.end();) {
    if (std::binary_search(running.begin(), running.end(), entry->first)) {
      ++entry;
    } else {
      entry = totals_.erase(entry);
    }
  }
}

}  // namespace vsm
