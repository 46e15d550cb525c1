#pragma once
// The Windows Filtering Platform through a dynamic session: every filter we add is deleted by the
// platform when the session closes, also when the program is killed, so a block never outlives
// the program. Bound at run time from fwpuclnt.dll; where the platform is missing or refuses a
// session (Windows XP, Wine) nothing else of it is ever called.
#include <memory>

#include "software/wfp/ExecutableBlockList.h"
#include "software/wfp/FilteringPlatform_win.h"

namespace vsm {

// Null when no session can be opened; then nothing but FwpmEngineOpen0 has been called.
// `functions` are the system's (the Windows tests wrap them to see the calls made).
std::unique_ptr<FilterEngine> OpenFilterEngine(const FilteringFunctions& functions = FilteringPlatform());

// The block list over OpenFilterEngine(); not available when that gives nothing.
std::unique_ptr<NetworkBlocker> CreateNetworkBlocker();

}  // namespace vsm
