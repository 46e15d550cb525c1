#pragma once
// Running per-process totals of the bytes the network events report. The event thread adds, the
// engine's pass reads and prunes; one lock guards the table.
#include <atomic>
#include <cstddef>
#include <mutex>
#include <unordered_map>

#include "software/etw/NetworkEventDecoder.h"
#include "software/etw/ProcessTrafficSource.h"

namespace vsm {

class TProcessTrafficCounters final : public ProcessTrafficSource {
 public:
  // A table that has reached this many processes takes no new ones until the next prune; the
  // engine prunes every pass, so only a burst of short-lived processes can come near it.
  static constexpr size_t kMaxProcesses = 16384;

  void Add(const NetworkTransfer& transfer);
  void SetCounting(bool counting) { counting_ = counting; }

  bool Counting() const override { return counting_; }
  std::optional<TrafficTotals> Totals(uint32_t processId) const override;
  void KeepOnly(const std::vector<uint32_t>& running) override;
  void Stop() override { counting_ = false; }

 private:
  mutable std::mutex lock_;
  std::unordered_map<uint32_t, TrafficTotals> totals_;
  std::atomic<bool> counting_{false};
};

}  // namespace vsm
