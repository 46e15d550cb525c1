#include "ui/Dpi_win.h"

#include "base/library_win.h"
#include "ui/DpiScale.h"

namespace vsm {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

int MonitorDpi(HMONITOR monitor) {
  static const auto getDpiForMonitor =
      BindFunction<GetDpiForMonitorFunction>(LoadSystemLibrary(L"shcore.dll"), "GetDpiForMonitor");
  UINT x = 0;
  UINT y = 0;
  if (getDpiForMonitor != nullptr && monitor != nullptr &&
      getDpiForMonitor(monitor, kEffectiveDpi, &x, &y) == S_OK && y > 0) {
    return static_cast<int>(y);
  }
  return ScreenDpi();
}

}  // namespace

int DpiForWindow(HWND window) {
  static const auto getDpiForWindow =
      BindFunction<GetDpiForWindowFunction>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
  if (getDpiForWindow != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int DpiForPoint(POINT point) { return MonitorDpi(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }

}  // namespace vsm
