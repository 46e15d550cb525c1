#pragma once
// Ending processes.
#include <cstdint>

#include "software/ProcessItem.h"

namespace vsm {

// Asks the process's top-level windows to close, then terminates it. True when it is gone:
// terminated, already exited, or no longer there.
bool TerminateProcessById(uint32_t processId);
// The same for one process: when its id has meanwhile gone to another process (a different start
// time), nothing is touched and the result is true, since the process itself has ended.
bool TerminateProcessOf(const TProcessIdentity& identity);
// False for no item and for protected processes (nothing is touched then); else ends the process
// if it is still the one the item describes.
bool KillProcessItem(TProcessItem* item);

}  // namespace vsm
