#pragma once
// The Windows Filtering Platform through a dynamic session: every filter we add is deleted by the
// platform when the session closes, also when the program is killed, so a block never outlives
// the program. Bound at run time from fwpuclnt.dll; where the platform is missing or refuses a
// session (Windows XP, Wine) nothing else of it is ever called.
#include <memory>

#include "software/wfp/ExecutableBlockList.h"

namespace vsm {

// Null when no session can be opened.
std::unique_ptr<FilterEngine> OpenFilterEngine();

// The block list over OpenFilterEngine(); not available when that gives nothing.
std::unique_ptr<NetworkBlocker> CreateNetworkBlocker();

}  // namespace vsm
