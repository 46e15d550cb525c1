#include "hardware/superio/MonitorPorts.h"

namespace vsm {

namespace {
constexpr uint8_t kBankSelect = 0x4E;
}

uint8_t ReadPortByte(TVeskHdDrv& drv, uint32_t port) {
  uint32_t value = 0;
  drv.ReadIoPort(port, value);
  return static_cast<uint8_t>(value);
}

uint8_t TMonitorPorts::Read(uint8_t reg) {
  drv_.WriteIoPort(base_ + 5u, reg);
  return ReadPortByte(drv_, base_ + 6u);
}

std::optional<uint8_t> TMonitorPorts::ReadChecked(uint8_t reg) {
  uint8_t value = Read(reg);
  if (ReadPortByte(drv_, base_ + 5u) != reg) return std::nullopt;
  return value;
}

void TMonitorPorts::SelectBank(uint8_t bank, uint8_t reg) {
  drv_.WriteIoPort(base_ + 5u, kBankSelect);
  drv_.WriteIoPort(base_ + 6u, bank);
  drv_.WriteIoPort(base_ + 5u, reg);
}

uint8_t TMonitorPorts::ReadBanked(uint8_t bank, uint8_t reg) {
  SelectBank(bank, reg);
  return ReadPortByte(drv_, base_ + 6u);
}

void TMonitorPorts::WriteBanked(uint8_t bank, uint8_t reg, uint8_t value) {
  SelectBank(bank, reg);
  drv_.WriteIoPort(base_ + 6u, value);
}

}  // namespace vsm
