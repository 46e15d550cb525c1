#pragma once
// Choosing and creating the processor object by vendor and family.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "hardware/cpu/CpuInfo.h"

namespace vsm {

enum class TCpuClass { Unknown, Intel, Amd, Amd0F, Amd10, Amd17 };

// The class for a vendor string (CPUID leaf 0: EBX, EDX, ECX) and, for AMD, the display family.
TCpuClass ChooseCpuClass(std::string_view vendor, uint32_t family);

// The 12-character vendor string of CPUID leaf 0.
std::string VendorString(const TCpuidRecord& leaf0);

// Detects the processor and creates its object; never fails: without usable CPUID, or when anything
// goes wrong on the way, the answer is a TUnkonwCPUInof.
std::unique_ptr<TCpuInfo> DetectCpu(const TCpuSeams& seams);

}  // namespace vsm
