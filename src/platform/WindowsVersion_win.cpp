#include "platform/WindowsVersion_win.h"

#include <windows.h>

#include "base/library_win.h"

namespace vsm {

TWindowsVersion TrueWindowsVersion() {
  static const TWindowsVersion version = [] {
    // GetVersionEx answers with the version the manifest names; RtlGetVersion does not.
    TWindowsVersion result;
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto rtlGetVersion = BindFunction<RtlGetVersionFn>(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (rtlGetVersion != nullptr && rtlGetVersion(&info) == 0) {
      result = {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
    }
    return result;
  }();
  return version;
}

}  // namespace vsm
