#pragma once
// The DPI of the monitor a window is on. The newer functions are bound at run time: Windows 10's
// GetDpiForWindow, else Windows 8.1's GetDpiForMonitor, else the screen's logical pixels.
#include <windows.h>

namespace vsm {

int DpiForWindow(HWND window);
int DpiForPoint(POINT point);

}  // namespace vsm
