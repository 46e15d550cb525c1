#pragma once
// Fintek F718xx monitoring chips.
#include "hardware/superio/MainBord.h"

namespace vsm {

class TMB_F718XX final : public TMainBord {
 public:
  TMB_F718XX(uint16_t chip, uint16_t address, uint8_t revision, const DriverChannelFactory& channels,
             const TBaseBoardIdentity& identity);
  void update() override;

 private:
  double ReadTemperature(TMonitorPorts& ports, size_t index);
};

}  // namespace vsm
