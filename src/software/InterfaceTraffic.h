#pragma once
// The machine's network byte totals taken from the interface counters of the IP Helper library,
// for when the network-filter driver is not open. Only interfaces that carry real traffic count
// (no loopback, operational, and on the 64-bit table hardware interfaces that are neither filter
// nor tunnel pseudo-interfaces), so no byte is counted twice.
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace vsm {

struct InterfaceCounters {
  uint64_t key = 0;  // interface LUID (64-bit table) or index (32-bit table)
  bool loopback = false;
  bool operational = false;
  bool hardware = true;  // always true on the 32-bit table, which cannot tell
  bool filter = false;
  bool tunnel = false;
  bool counters32 = false;  // counters from the 32-bit table, which wrap at 2^32
  uint64_t inOctets = 0;
  uint64_t outOctets = 0;
};

struct MachineTotals {
  uint64_t received = 0;
  uint64_t sent = 0;
};

// Turns successive interface tables into running machine totals that behave like the driver's
// counters: they grow by the per-interface differences of the interfaces present in both samples,
// so an interface that appears or vanishes causes no jump.
class TInterfaceTrafficMeter {
 public:
  // The first sample answers the plain sum of the counted interfaces, a baseline like the
  // driver's first totals; later samples add what each interface has moved since.
  MachineTotals Sample(const std::vector<InterfaceCounters>& table);

 private:
  std::map<uint64_t, InterfaceCounters> last_;
  MachineTotals totals_;
  bool sampled_ = false;
};

}  // namespace vsm
