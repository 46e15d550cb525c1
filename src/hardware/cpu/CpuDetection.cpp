#include "hardware/cpu/CpuDetection.h"

#include <string>

#include "hardware/cpu/AmdCpu.h"
#include "hardware/cpu/IntelCpu.h"

namespace vsm {

namespace {

void AppendRegister(std::string& text, uint32_t value) {
  for (int i = 0; i < 4; ++i) text += static_cast<char>((value >> (8 * i)) & 0xFF);
}

TCpuClass ChooseAmdClass(uint32_t family) {
  switch (family) {
    case 6:
    case 15: return TCpuClass::Amd0F;
    case 16:
    case 17:
    case 18:
    case 20:
    case 21:
    case 22: return TCpuClass::Amd10;
    // Zen 3/4 (19h) and Zen 5 (1Ah) keep the 17h thermal register and its encoding.
    case 23:
    case 25:
    case 26: return TCpuClass::Amd17;
    default: return TCpuClass::Amd;
  }
}

std::unique_ptr<TCpuInfo> Create(TCpuClass cpuClass, const TCpuSeams& seams) {
  switch (cpuClass) {
    case TCpuClass::Intel: return CreateCpuInfo<TIntelCPUInof>(seams);
    case TCpuClass::Amd: return CreateCpuInfo<TAmdCPUInfo>(seams);
    case TCpuClass::Amd0F: return CreateCpuInfo<TAmd0FCpuInfo>(seams);
    case TCpuClass::Amd10: return CreateCpuInfo<TAmd10CpuInfo>(seams);
    case TCpuClass::Amd17: return CreateCpuInfo<TAmd17CpuInfo>(seams);
    case TCpuClass::Unknown: break;
  }
  return CreateCpuInfo<TUnkonwCPUInof>(seams);
}

TCpuClass DetectCpuClass(const TCpuSeams& seams) {
  if (!seams.cpuid) return TCpuClass::Unknown;
  TCpuidRecord leaf0 = seams.cpuid(0, 0);
  if (leaf0.EAX == 0) return TCpuClass::Unknown;
  return ChooseCpuClass(VendorString(leaf0), DisplayFamily(seams.cpuid(1, 0).EAX));
}

}  // namespace

std::string VendorString(const TCpuidRecord& leaf0) {
  std::string vendor;
  AppendRegister(vendor, leaf0.EBX);
  AppendRegister(vendor, leaf0.EDX);
  AppendRegister(vendor, leaf0.ECX);
  return vendor;
}

TCpuClass ChooseCpuClass(std::string_view vendor, uint32_t family) {
  if (vendor == "GenuineIntel") return TCpuClass::Intel;
  if (vendor == "AuthenticAMD") return ChooseAmdClass(family);
  return TCpuClass::Unknown;
}

std::unique_ptr<TCpuInfo> DetectCpu(const TCpuSeams& seams) {
  try {
    return Create(DetectCpuClass(seams), seams);
  } catch (...) {
  }
  // The generic processor still gathers the identity; if even that throws, it goes without.
  try {
    return CreateCpuInfo<TUnkonwCPUInof>(seams);
  } catch (...) {
    return CreateCpuInfo<TUnkonwCPUInof>(TCpuSeams{});
  }
}

}  // namespace vsm
