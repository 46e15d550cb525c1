#pragma once
// The Linux host's network byte counters, to compare the Windows figures with.
#include <sstream>
#include <string>

#include "../host_files_win.h"
#include "base/text.h"
#include "software/InterfaceTraffic.h"

namespace vsm::test {

// The host's byte counters of the interfaces that are up, loopback excluded. "Up" is the
// interface's IFF_UP flag, which is what Wine reports as operational (the kernel's operstate can
// read "unknown" for an interface that is up and carries traffic).
inline MachineTotals HostTotals() {
  constexpr unsigned long kInterfaceUp = 0x1;
  MachineTotals totals;
  auto dev = ReadHostFile("/proc/net/dev");
  if (!dev) return totals;
  std::istringstream lines(*dev);
  std::string line;
  while (std::getline(lines, line)) {
    size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string name = Trim(line.substr(0, colon));
    auto flags = ReadHostFile("/sys/class/net/" + name + "/flags");
    if (name == "lo" || !flags || (std::stoul(Trim(*flags), nullptr, 16) & kInterfaceUp) == 0) continue;
    std::istringstream fields(line.substr(colon + 1));
    uint64_t values[9] = {};
    for (uint64_t& value : values) fields >> value;
    totals.received += values[0];
    totals.sent += values[8];
  }
  return totals;
}

}  // namespace vsm::test
