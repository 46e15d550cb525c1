#include "platform/Is64BitWindows_win.h"

#include <windows.h>

#include "base/library_win.h"

namespace vsm {

namespace {

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);
using GetNativeSystemInfoFn = VOID(WINAPI*)(SYSTEM_INFO*);

bool Compute() {
  // Both functions are missing on the oldest systems, which are 32-bit only.
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto isWow64Process = BindFunction<IsWow64ProcessFn>(kernel, "IsWow64Process");
  auto getNativeSystemInfo = BindFunction<GetNativeSystemInfoFn>(kernel, "GetNativeSystemInfo");
  if (isWow64Process == nullptr || getNativeSystemInfo == nullptr) return false;
  BOOL wow64 = FALSE;
  if (!isWow64Process(GetCurrentProcess(), &wow64) || !wow64) return false;
  SYSTEM_INFO info{};
  getNativeSystemInfo(&info);
  switch (info.wProcessorArchitecture) {
    case PROCESSOR_ARCHITECTURE_IA64:
    case PROCESSOR_ARCHITECTURE_AMD64:
    case 12:  // ARM64
      return true;
    default: return false;
  }
}

}  // namespace

bool Is64BitWindows() {
  static const bool is64Bit = Compute();
  return is64Bit;
}

}  // namespace vsm
