#include "hardware/cpu/CpuSeams_win.h"

#include <windows.h>

#include <cpuid.h>

#include "drivers/DriverManager_win.h"
#include "hardware/BusLock_win.h"

namespace vsm {

CpuidFunction WindowsCpuid() {
  return [](uint32_t leaf, uint32_t subleaf) {
    TCpuidRecord r;
    __cpuid_count(leaf, subleaf, r.EAX, r.EBX, r.ECX, r.EDX);
    return r;
  };
}

AffinityFunction WindowsThreadAffinity() {
  return [](uint32_t mask) {
    return static_cast<uint32_t>(SetThreadAffinityMask(GetCurrentThread(), static_cast<DWORD_PTR>(mask)));
  };
}

TCpuSeams WindowsCpuSeams(WmiQueryFunction wmi) {
  return TCpuSeams{WindowsCpuid(), WindowsThreadAffinity(),
                   [] { return OpenDriverChannel(DriverKind::HardwareAccess); }, std::move(wmi),
                   PciBusLock()};
}

}  // namespace vsm
