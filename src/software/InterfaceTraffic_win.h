#pragma once
// The interface counters of the IP Helper library, for the interface traffic meter.
#include <optional>
#include <vector>

#include "software/InterfaceTraffic.h"

namespace vsm {

// Every interface of the 64-bit table (Windows Vista on), else of the 32-bit table, with the
// facts the meter filters on. Nothing when the table cannot be read.
std::optional<std::vector<InterfaceCounters>> ReadInterfaceCounters();

// The two tables on their own.
std::optional<std::vector<InterfaceCounters>> ReadInterfaceTable2();
std::optional<std::vector<InterfaceCounters>> ReadInterfaceTable();

}  // namespace vsm
