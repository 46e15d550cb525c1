#include "hardware/superio/MainBord_F718XX.h"

#include <cstdint>

#include "hardware/superio/SuperIoChips.h"

namespace vsm {

namespace {

constexpr double kVoltageStep = 0.008;
constexpr uint8_t kFanCountRegisters[] = {0xA0, 0xB0, 0xC0, 0xD0};

}  // namespace

TMB_F718XX::TMB_F718XX(uint16_t chip, uint16_t address, uint8_t revision,
                       const DriverChannelFactory& channels, const TBaseBoardIdentity& identity)
    : TMainBord(chip, address, revision, channels, identity) {
  Voltages.resize(chip == F71858 ? 3 : 9);
  Temperatures.resize(chip == F71808E ? 2 : 3);
  Fans.resize(chip == F71882 || chip == F71858 ? 4 : 3);
}

void TMB_F718XX::update() {
  auto lock = LockBus(std::chrono::milliseconds(100));
  if (!lock.owns_lock()) return;
  TMonitorPorts ports = Ports();

  for (size_t i = 0; i < Voltages.size(); ++i) {
    // This chip leaves its seventh input unconnected.
    if (Chip == F71808E && i == 6) {
      Voltages[i].value = 0;
      continue;
    }
    Voltages[i].value = ports.Read(static_cast<uint8_t>(0x20 + i)) * kVoltageStep;
  }
  for (size_t i = 0; i < Temperatures.size(); ++i) Temperatures[i].value = ReadTemperature(ports, i);
  for (size_t i = 0; i < Fans.size(); ++i) {
    uint8_t reg = kFanCountRegisters[i];
    int count = ports.Read(reg) << 8 | ports.Read(static_cast<uint8_t>(reg + 1));
    Fans[i].value = count > 0 && count < 0xFFF ? 1500000.0 / count : 0;
  }
}

double TMB_F718XX::ReadTemperature(TMonitorPorts& ports, size_t index) {
  if (Chip != F71858) {
    int t = ports.Read(static_cast<uint8_t>(0x70 + 2 * (index + 1)));
    return t >= 1 && t <= 126 ? t : 0;
  }
  int mode = ports.Read(0x69) & 3;
  int high = ports.Read(static_cast<uint8_t>(0x70 + 2 * index));
  int low = ports.Read(static_cast<uint8_t>(0x70 + 2 * index + 1));
  if (high == 0xBB || high == 0xCC) return 0;  // sensor open or shorted
  int sign = 0;
  if (mode == 2) sign = (high & 0x80) << 8;
  if (mode == 3) sign = (low & 0x01) << 15;
  // An 11-bit two's-complement reading in 1/8 degrees, aligned to the top of a 16-bit word.
  auto word = static_cast<uint16_t>((sign | high << 7 | (low & 0xE0) >> 1) & 0xFFF0);
  return static_cast<int16_t>(word) / 128.0;
}

}  // namespace vsm
