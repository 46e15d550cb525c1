#pragma once
// Traffic for the simulated network-filter driver: every live process receives and sends at a
// rate of its own that swells and ebbs over time, the filter rules in force hold a blocked process
// at nothing and cap a process under a speed rule, and a process that appears after the first
// look signals the driver's process-creation event.
#include <cstdint>
#include <set>
#include <vector>

#include "sim/SimTrafficFilter.h"

namespace vsm::sim {

struct SimRates {
  double received = 0;  // bytes per second
  double sent = 0;
};

class SimTrafficModel {
 public:
  explicit SimTrafficModel(SimTrafficFilter& filter) : filter_(filter) {}

  // The unrestricted rates of a process at a moment (seconds on the machine's clock).
  static SimRates NaturalRates(uint32_t processId, double clock);
  // The rates after the process's rules: zero when blocked, capped by speed rules.
  SimRates RatesAfterRules(uint32_t processId, double clock) const;

  // Counts the traffic of the live processes from the previous call's clock to this one (the
  // first call only takes note), and signals the creation event once for each new process.
  void Advance(double clock, const std::vector<uint32_t>& liveProcesses);

 private:
  SimTrafficFilter& filter_;
  bool started_ = false;
  double clock_ = 0;
  std::set<uint32_t> known_;  // the processes alive at the last look
};

}  // namespace vsm::sim
