#include "sim/SimWinbondMonitor.h"

namespace vsm::sim {

namespace {

struct DivisorBit {
  uint8_t reg;
  uint8_t bit;
};

// Per fan: divisor bit 0, bit 1, bit 2, as the W83627 family's registers hold them.
constexpr DivisorBit kDivisorBits[5][3] = {
    {{0x47, 4}, {0x47, 5}, {0x5D, 5}}, {{0x47, 6}, {0x47, 7}, {0x5D, 6}}, {{0x4B, 6}, {0x4B, 7}, {0x5D, 7}},
    {{0x59, 0}, {0x59, 1}, {0x4C, 7}}, {{0x59, 2}, {0x59, 3}, {0x59, 7}},
};

bool IsDivisorRegister(uint16_t reg) {
  return reg == 0x47 || reg == 0x4B || reg == 0x4C || reg == 0x59 || reg == 0x5D;
}

}  // namespace

void SimWinbondMonitor::SetGenuine() {
  Set(Reg(0x80, 0x4F), 0x5C);
  Set(Reg(0, 0x4F), 0xA3);
}

void SimWinbondMonitor::SetFanDivisor(int fan, int exponent) {
  for (int i = 0; i < 3; ++i) {
    const DivisorBit& place = kDivisorBits[fan][i];
    uint8_t mask = static_cast<uint8_t>(1 << place.bit);
    uint8_t value = Get(place.reg);
    Set(place.reg, static_cast<uint8_t>((exponent >> i & 1) ? value | mask : value & ~mask));
  }
}

int SimWinbondMonitor::FanDivisor(int fan) const {
  int exponent = 0;
  for (int i = 0; i < 3; ++i) {
    const DivisorBit& place = kDivisorBits[fan][i];
    exponent |= (Get(place.reg) >> place.bit & 1) << i;
  }
  return exponent;
}

std::vector<SimMonitorBlock::Write> SimWinbondMonitor::DivisorRegisterWrites() const {
  std::vector<Write> result;
  for (const Write& write : Writes()) {
    if (IsDivisorRegister(write.reg)) result.push_back(write);
  }
  return result;
}

}  // namespace vsm::sim
