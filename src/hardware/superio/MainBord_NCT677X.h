#pragma once
// Nuvoton NCT677x/NCT679x monitoring chips: 16-bit banked registers, temperatures chosen by
// source number, fan speeds reported in RPM.
#include <vector>

#include "hardware/superio/MainBord.h"

namespace vsm {

class TMB_NCT677X final : public TMainBord {
 public:
  TMB_NCT677X(uint16_t chip, uint16_t address, uint8_t revision, const DriverChannelFactory& channels,
              const TBaseBoardIdentity& identity);
  void update() override;

  bool isNuvotonVendor = false;
  int minFanRPM = 0;
  std::vector<uint8_t> temperaturesSource;
  std::vector<uint16_t> voltageRegisters;
  std::vector<uint16_t> temperatureRegister;
  std::vector<uint16_t> temperatureHalfRegister;
  std::vector<int> temperatureHalfBit;
  std::vector<uint16_t> temperatureSourceRegister;
  std::vector<uint16_t> alternateTemperatureRegister;  // 0: the slot has none
  uint16_t fanRpmBaseRegister = 0;
  uint16_t voltageVBatRegister = 0;
  uint16_t vBatMonitorControlRegister = 0;

 private:
  void ReadVoltages(TMonitorPorts& ports);
  void ReadTemperatures(TMonitorPorts& ports);
  void ReadFans(TMonitorPorts& ports);
  void ReadControls(TMonitorPorts& ports);

  std::vector<uint16_t> FControlRegisters;
};

}  // namespace vsm
