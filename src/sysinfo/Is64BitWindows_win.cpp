#include "sysinfo/Is64BitWindows_win.h"

#include <windows.h>

namespace vsm {

bool Is64BitWindows() {
  static const bool is64 = [] {
    // Bound at run time: IsWow64Process is missing on the oldest systems the program runs on.
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64Process != nullptr && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
  }();
  return is64;
}

}  // namespace vsm
