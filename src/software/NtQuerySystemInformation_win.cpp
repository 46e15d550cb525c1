#include "software/NtQuerySystemInformation_win.h"

#include "base/library_win.h"

namespace vsm {

NtQuerySystemInformationFn NtQuerySystemInformationFunction() {
  static const NtQuerySystemInformationFn function = [] {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr) return NtQuerySystemInformationFn{};
    return BindFunction<NtQuerySystemInformationFn>(ntdll, "NtQuerySystemInformation");
  }();
  return function;
}

}  // namespace vsm
