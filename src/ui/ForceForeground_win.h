#pragma once
#include <windows.h>

namespace vsm {

// Brings a window to the front even when another process owns the foreground, by attaching this
// thread's input to the foreground thread for the moment. Returns whether SetForegroundWindow
// succeeded. The floating strip leaves out the BringWindowToTop step.
bool ForceForegroundWindow(HWND window, bool bringToTop = true);

}  // namespace vsm
