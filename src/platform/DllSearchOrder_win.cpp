#include "platform/DllSearchOrder_win.h"

#include <windows.h>

#include "base/library_win.h"

namespace vsm {

void RestrictDllSearchOrder() {
  constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  using SetDllDirectoryFn = BOOL(WINAPI*)(LPCWSTR);
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto setDefault = BindFunction<SetDefaultDllDirectoriesFn>(kernel, "SetDefaultDllDirectories");
  if (setDefault != nullptr && setDefault(kSearchSystem32)) return;
  if (const auto setDirectory = BindFunction<SetDllDirectoryFn>(kernel, "SetDllDirectoryW"))
    setDirectory(L"");
}

}  // namespace vsm
