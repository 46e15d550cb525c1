#pragma once
// WQL queries through the WMI scripting interface (SWbemLocator), answered as property bags.
#include <optional>
#include <string_view>

#include "sysinfo/wmi.h"

namespace vsm {

// Runs a query in a namespace of the local machine. COM is initialised for the calling thread in
// the multithreaded apartment; a thread already in another apartment goes on in that one. Nothing
// when WMI cannot run the query (service missing, access denied, invalid class or query); an
// empty list when it runs and finds no object. Never throws.
std::optional<WmiObjects> RunWmiQuery(std::string_view nameSpace, std::string_view wql);

// The program's query on ROOT\CIMV2.
std::optional<WmiObjects> WmiQuery(std::string_view wql);

// RunWmiQuery as the seam the core takes.
WmiQueryFunction SystemWmi();

// Queries on another machine ("localhost" or "." is this one), with the given credentials
// (empty ones for the current user's). The connection is made at each query.
WmiConnectFunction RemoteWmi();

}  // namespace vsm
