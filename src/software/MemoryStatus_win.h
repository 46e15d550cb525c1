#pragma once
// The operating system's memory status.
#include <windows.h>

namespace vsm {

// All zero when the call fails.
MEMORYSTATUSEX GetMemoryStatus();
// Memory load in percent; 0 when the call fails.
int GetMemoryLoad();

}  // namespace vsm
