#pragma once
// The real CPUID instruction and thread affinity for the processor objects.
#include "hardware/cpu/CpuSeams.h"

namespace vsm {

CpuidFunction WindowsCpuid();
AffinityFunction WindowsThreadAffinity();

// CPUID, affinity and the hardware-access driver of this machine, with the given WMI query.
TCpuSeams WindowsCpuSeams(WmiQueryFunction wmi);

}  // namespace vsm
