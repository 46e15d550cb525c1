#include "sim/SimNuvotonMonitor.h"

namespace vsm::sim {

void SimNuvotonMonitor::SetGenuine(uint16_t highReg, uint16_t lowReg) {
  Set(highReg, 0x5C);
  Set(lowReg, 0xA3);
}

void SimNuvotonMonitor::SetTemperature(const Temperature& where, int halfDegrees) {
  Set(where.reg, static_cast<uint8_t>(halfDegrees >> 1));
  if (where.halfBit >= 0) {
    uint8_t mask = static_cast<uint8_t>(1 << where.halfBit);
    uint8_t half = Get(where.halfReg);
    Set(where.halfReg, static_cast<uint8_t>((halfDegrees & 1) ? half | mask : half & ~mask));
  }
  Set(where.sourceReg, where.source);
}

void SimNuvotonMonitor::SetVBatMonitoring(uint16_t controlReg, bool on) {
  uint8_t value = Get(controlReg);
  Set(controlReg, static_cast<uint8_t>(on ? value | 1 : value & ~1));
}

}  // namespace vsm::sim
