#include "ui/ForceForeground_win.h"

namespace vsm {

bool ForceForegroundWindow(HWND window, bool bringToTop) {
  DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  DWORD thisThread = GetCurrentThreadId();
  AttachThreadInput(thisThread, foregroundThread, TRUE);
  ShowWindow(window, SW_SHOWNORMAL);
  bool result = SetForegroundWindow(window) != FALSE;
  if (bringToTop) BringWindowToTop(window);
  AttachThreadInput(thisThread, foregroundThread, FALSE);
  return result;
}

}  // namespace vsm
