#pragma once
// A Winbond W836xx hardware-monitor block: banked registers, the vendor word split over bank
// 0x80 and bank 0 of register 0x4F, and fan divisors whose three bits per fan are spread over
// registers 0x47, 0x4B, 0x4C, 0x59 and 0x5D of bank 0.
#include "sim/SimMonitorBlock.h"

namespace vsm::sim {

class SimWinbondMonitor : public SimBankedMonitorBlock {
 public:
  using SimBankedMonitorBlock::SimBankedMonitorBlock;

  static constexpr uint16_t Reg(uint8_t bank, uint8_t reg) { return static_cast<uint16_t>(bank << 8 | reg); }

  // Vendor word 0x5CA3.
  void SetGenuine();
  // The divisor exponent (0..7) of fan 0..4, as the datasheet spreads its bits.
  void SetFanDivisor(int fan, int exponent);
  int FanDivisor(int fan) const;
  // Writes that went to the five divisor registers.
  std::vector<Write> DivisorRegisterWrites() const;
};

}  // namespace vsm::sim
