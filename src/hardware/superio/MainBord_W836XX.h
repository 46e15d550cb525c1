#pragma once
// Winbond W836xx monitoring chips: banked registers, PECI-fed temperature slots and fan
// divisors that the driver adjusts to keep the tachometer counts in range.
#include <array>
#include <cstdint>
#include <vector>

#include "hardware/superio/MainBord.h"

namespace vsm {

class TMB_W836XX final : public TMainBord {
 public:
  TMB_W836XX(uint16_t chip, uint16_t address, uint8_t revision, const DriverChannelFactory& channels,
             const TBaseBoardIdentity& identity);
  void update() override;

  std::array<bool, 3> peciTemperature = {};
  std::vector<uint8_t> voltageRegister;
  std::vector<uint8_t> voltageBank;
  double voltageGain = 0;

 private:
  void ReadPeciSlots(TMonitorPorts& ports);
  double ReadVoltage(TMonitorPorts& ports, size_t index);
  void ReadTemperatures(TMonitorPorts& ports);
  void ReadFansAndAdjustDivisors(TMonitorPorts& ports);
};

}  // namespace vsm
