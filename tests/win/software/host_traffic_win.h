#pragma once
// The Linux host's network byte counters, to compare the Windows figures with.
#include <sstream>
#include <string>

#include "../host_files_win.h"
#include "base/text.h"
#include "software/InterfaceTraffic.h"

namespace vsm::test {

// The host's byte counters of the interfaces that are up, loopback excluded.
inline MachineTotals HostTotals() {
  MachineTotals totals;
  auto dev = ReadHostFile("/proc/net/dev");
  if (!dev) return totals;
  std::istringstream lines(*dev);
  std::string line;
  while (std::getline(lines, line)) {
    size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string name = Trim(line.substr(0, colon));
    auto state = ReadHostFile("/sys/class/net/" + name + "/operstate");
    if (name == "lo" || !state || Trim(*state) != "up") continue;
    std::istringstream fields(line.substr(colon + 1));
    uint64_t values[9] = {};
    for (uint64_t& value : values) fields >> value;
    totals.received += values[0];
    totals.sent += values[8];
  }
  return totals;
}

}  // namespace vsm::test
