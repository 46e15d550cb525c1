#pragma once
// Per-process byte totals from a source other than the network-filter driver (on Windows: the
// kernel's network events). The engine reads them once per pass like the driver's records.
#include <cstdint>
#include <optional>
#include <vector>

namespace vsm {

struct TrafficTotals {
  uint64_t received = 0;
  uint64_t sent = 0;
};

class ProcessTrafficSource {
 public:
  virtual ~ProcessTrafficSource() = default;
  // False once counting has ended (or never began): the figures are then unknown.
  virtual bool Counting() const = 0;
  // Bytes the process has moved since counting began; nothing when it has moved none.
  virtual std::optional<TrafficTotals> Totals(uint32_t processId) const = 0;
  // Forgets every process not in `running` (sorted), so that an identifier used again by a
  // later process starts from zero.
  virtual void KeepOnly(const std::vector<uint32_t>& running) = 0;
  // Ends counting and releases what the source holds in the system.
  virtual void Stop() = 0;
};

}  // namespace vsm
