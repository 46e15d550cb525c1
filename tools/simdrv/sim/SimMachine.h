#pragma once
// A whole simulated machine for end-to-end runs and demonstrations: a Nuvoton NCT6776F Super I/O
// chip on ports 0x2E/0x2F whose temperatures, fans and voltages move over time, core
// temperatures for the processor it is told it runs on (Intel through the thermal MSRs, AMD
// through the PCI registers of its family), and a network filter whose counters grow for the
// processes that are alive. The simulated kernel driver runs one of these.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimHardware.h"
#include "sim/SimNuvotonMonitor.h"
#include "sim/SimTrafficFilter.h"
#include "sim/SimTrafficModel.h"

namespace vsm::sim {

// What CPUID says about the processor, in display family and model terms.
struct SimCpuIdentity {
  std::string vendor;  // "GenuineIntel", "AuthenticAMD" or anything else (no temperatures then)
  uint32_t family = 0;
  uint32_t model = 0;
  uint32_t stepping = 0;
  int logicalProcessors = 1;
};

class SimMachine {
 public:
  static constexpr uint16_t kMonitorBase = 0x0290;

  explicit SimMachine(SimCpuIdentity cpu);
  SimMachine(const SimMachine&) = delete;
  SimMachine& operator=(const SimMachine&) = delete;

  SimHardware& Hardware() { return hardware_; }
  SimTrafficFilter& Filter() { return filter_; }
  const SimCpuIdentity& Cpu() const { return cpu_; }

  // Brings the sensors to the moment `clock` (seconds since the machine started) and counts the
  // traffic of the live processes since the previous call (the first call only takes note).
  void AdvanceTo(double clock, const std::vector<uint32_t>& liveProcesses);

  // The temperature a logical processor's sensor shows at a moment, in whole degrees.
  static int CoreTemperature(int cpu, double clock);

 private:
  void SetBoardSensors(double clock);
  void SetCoreSensors(double clock);
  void SetUpAmd();
  void OnPciWrite(uint32_t pciAddress, uint32_t reg, uint32_t value);

  SimCpuIdentity cpu_;
  SimHardware hardware_;
  std::shared_ptr<SimNuvotonMonitor> monitor_;
  SimTrafficFilter filter_;
  SimTrafficModel traffic_{filter_};
  double clock_ = 0;
  uint32_t amdMiscControl_ = 0;  // PCI address of the AMD miscellaneous-control function
};

}  // namespace vsm::sim
