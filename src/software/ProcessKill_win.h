#pragma once
// Ending processes.
#include <cstdint>

#include "software/ProcessItem.h"

namespace vsm {

// Asks the process's top-level windows to close, then terminates it. True when it is gone:
// terminated, already exited, or no longer there.
bool TerminateProcessById(uint32_t processId);
// False for no item and for protected processes (nothing is touched then); else ends the process.
bool KillProcessItem(TProcessItem* item);

}  // namespace vsm
