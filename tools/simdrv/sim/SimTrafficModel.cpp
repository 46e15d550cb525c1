#include "sim/SimTrafficModel.h"

#include <algorithm>
#include <cmath>

#include "software/TdiFwDrv.h"

namespace vsm::sim {

namespace {

// A stable pseudo-random number per process, so that each keeps its character between runs.
uint32_t Mix(uint32_t value) {
  value ^= value >> 16;
  value *= 0x7FEB352Du;
  value ^= value >> 15;
  value *= 0x846CA68Bu;
  value ^= value >> 16;
  return value;
}

// The cap a speed rule of this request type sets, or a negative number for none.
double SpeedCap(const SimTrafficFilter& filter, uint32_t processId, uint8_t requestType) {
  auto rule = filter.Rule(processId, requestType);
  if (!rule || rule->filterType != SPEED || rule->limit < 0) return -1;
  return rule->limit;
}

double Capped(double rate, double cap) { return cap < 0 ? rate : std::min(rate, cap); }

}  // namespace

SimRates SimTrafficModel::NaturalRates(uint32_t processId, double clock) {
  uint32_t mix = Mix(processId);
  double download = 1024.0 * (2 + mix % 60);     // 2 to 61 KB/s on average
  double share = 0.1 + (mix >> 8) % 40 / 100.0;  // upload 10% to 49% of that
  double period = 20 + (mix >> 16) % 40;         // seconds
  double phase = (mix >> 24) / 255.0 * 6.283185307;
  double swell = 1 + 0.8 * std::sin(clock * 6.283185307 / period + phase);
  return {download * swell, download * share * (2 - swell)};
}

SimRates SimTrafficModel::RatesAfterRules(uint32_t processId, double clock) const {
  if (filter_.IsBlocked(processId)) return {};
  SimRates rates = NaturalRates(processId, clock);
  double all = SpeedCap(filter_, processId, ALL);
  rates.received = Capped(Capped(rates.received, all), SpeedCap(filter_, processId, RECV));
  rates.sent = Capped(Capped(rates.sent, all), SpeedCap(filter_, processId, SEND));
  return rates;
}

void SimTrafficModel::Advance(double clock, const std::vector<uint32_t>& liveProcesses) {
  double elapsed = started_ ? std::max(0.0, clock - clock_) : 0;
  std::set<uint32_t> live(liveProcesses.begin(), liveProcesses.end());
  for (uint32_t processId : live) {
    if (started_ && known_.count(processId) == 0) filter_.ProcessCreated();
    if (elapsed <= 0) continue;
    SimRates rates = RatesAfterRules(processId, clock);
    filter_.AddTraffic(processId, static_cast<uint64_t>(rates.received * elapsed),
                       static_cast<uint64_t>(rates.sent * elapsed));
  }
  // A process id that comes back after its process ended is a new process.
  known_ = std::move(live);
  started_ = true;
  clock_ = clock;
}

}  // namespace vsm::sim
