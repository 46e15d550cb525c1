#pragma once
// A Nuvoton NCT67xx hardware-monitor block: 16-bit register numbers (bank in the high byte)
// behind the bank selector 0x4E, temperature readings paired with source-select registers,
// fan speeds reported directly in RPM, and a battery-monitor enable bit.
#include "sim/SimMonitorBlock.h"

namespace vsm::sim {

class SimNuvotonMonitor : public SimBankedMonitorBlock {
 public:
  using SimBankedMonitorBlock::SimBankedMonitorBlock;

  // Vendor word 0x5CA3, high byte at highReg, low byte at lowReg.
  void SetGenuine(uint16_t highReg, uint16_t lowReg);
  // A reading in half degrees: the whole degrees at reg, the half in bit halfBit of halfReg,
  // the chip's temperature source number in sourceReg.
  struct Temperature {
    uint16_t reg;
    uint16_t halfReg;
    int halfBit;  // negative: no half bit
    uint16_t sourceReg;
    uint8_t source;
  };
  void SetTemperature(const Temperature& where, int halfDegrees);
  // Bit 0 of the battery-monitor control register.
  void SetVBatMonitoring(uint16_t controlReg, bool on);
};

}  // namespace vsm::sim
