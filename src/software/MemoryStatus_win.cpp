#include "software/MemoryStatus_win.h"

namespace vsm {

MEMORYSTATUSEX GetMemoryStatus() {
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return MEMORYSTATUSEX{};
  return status;
}

int GetMemoryLoad() { return static_cast<int>(GetMemoryStatus().dwMemoryLoad); }

}  // namespace vsm
