#include "hardware/cpu/IntelCpu.h"

#include <algorithm>

#include "hardware/cpu/CorePinning.h"

namespace vsm {

namespace {

// Family-6 models whose TjMax is programmed per part and read from MSR 0x1A2.
constexpr uint32_t kModelsWithTemperatureTarget[] = {
    0x1A, 0x1E, 0x1F, 0x25, 0x2A, 0x2C, 0x2D, 0x2E, 0x2F, 0x36, 0x37, 0x3A, 0x3C, 0x3D, 0x3E, 0x3F, 0x45,
    0x46, 0x47, 0x4A, 0x4C, 0x4D, 0x4E, 0x4F, 0x55, 0x56, 0x5A, 0x5C, 0x5D, 0x5E, 0x8E, 0x9E, 0xAE,
};

}  // namespace

std::optional<double> IntelFixedTjMax(uint32_t family, uint32_t model, uint32_t stepping, uint8_t cores) {
  if (family != 6) return 100;
  switch (model) {
    case 0x0F:  // Core 2 (65 nm)
      if (stepping == 6) return cores == 2 ? 90 : cores == 4 ? 100 : 95;
      return stepping == 11 ? 100 : 95;
    case 0x17:  // Core 2 (45 nm)
      return 100;
    case 0x1C:  // Atom (45 nm)
      return stepping == 10 ? 100 : 90;
    default: break;
  }
  if (std::find(std::begin(kModelsWithTemperatureTarget), std::end(kModelsWithTemperatureTarget), model) !=
      std::end(kModelsWithTemperatureTarget))
    return std::nullopt;
  return 100;
}

double IntelDtsTemperature(uint32_t thermStatusEax, double tjMax) {
  if ((thermStatusEax & 0x80000000u) == 0) return 0;
  return tjMax - static_cast<double>((thermStatusEax >> 16) & 0x7F);
}

void TIntelCPUInof::LoadCpuData() {
  TCpuInfo::LoadCpuData();
  if (NumberOfCores == 0)
    NumberOfCores = static_cast<uint8_t>(CountLogicalProcessors(Seams().setThreadAffinity));
  stepping = CpuData.size() > 1 ? CpuData[1].EAX & 0xF : 0;
  ReadTjMax();
}

void TIntelCPUInof::ReadTjMax() {
  std::optional<double> fixed = IntelFixedTjMax(Family, CpuModel, stepping, NumberOfCores);
  TjMax.assign(NumberOfCores, fixed.value_or(kDefaultTjMax));
  if (fixed) return;
  ForEachCore([this](int core) {
    uint32_t eax = 0, edx = 0;
    if (driver->Rdmsr(kMsrTemperatureTarget, eax, edx)) TjMax[core] = (eax >> 16) & 0xFF;
    return true;
  });
}

void TIntelCPUInof::Update() {
  if (CpuData.size() <= 5) return;
  ForEachCore([this](int core) {
    uint32_t eax = 0, edx = 0;
    CpuTemp[core] = driver->Rdmsr(kMsrThermStatus, eax, edx) ? IntelDtsTemperature(eax, TjMax[core]) : 0;
    return true;
  });
}

}  // namespace vsm
