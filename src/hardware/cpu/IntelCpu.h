#pragma once
// Intel processors: core temperatures from the digital thermal sensor, relative to TjMax.
#include <cstdint>
#include <optional>
#include <vector>

#include "hardware/cpu/CpuInfo.h"

namespace vsm {

// TjMax of a processor in degrees Celsius, or nothing when it must be read from each core
// (MSR 0x1A2, bits 23..16).
std::optional<double> IntelFixedTjMax(uint32_t family, uint32_t model, uint32_t stepping, uint8_t cores);

// Core temperature from the thermal status MSR 0x19C: TjMax minus the readout (bits 22..16) when
// the reading-valid bit 31 is set, else 0.
double IntelDtsTemperature(uint32_t thermStatusEax, double tjMax);

class TIntelCPUInof final : public TCpuInfo {
 public:
  static constexpr uint32_t kMsrThermStatus = 0x19C;
  static constexpr uint32_t kMsrTemperatureTarget = 0x1A2;
  static constexpr double kDefaultTjMax = 100;

  TIntelCPUInof(ConstructionKey, TCpuSeams seams) : TCpuInfo(TCpuType::IntelCPU, std::move(seams)) {}

  void Update() override;

  std::vector<double> TjMax;  // per core
  uint32_t stepping = 0;

 protected:
  void LoadCpuData() override;

 private:
  void ReadTjMax();
};

}  // namespace vsm
