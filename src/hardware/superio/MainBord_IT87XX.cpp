#include "hardware/superio/MainBord_IT87XX.h"

#include <cmath>

#include "hardware/superio/SuperIoChips.h"

namespace vsm {

namespace {

constexpr uint8_t kVendorRegister = 0x58;
constexpr uint8_t kIteVendor = 0x90;
constexpr uint8_t kConfigurationRegister = 0x00;
constexpr uint8_t kMonitorEnabled = 0x10;
constexpr uint8_t kFanDivisorRegister = 0x0B;

constexpr uint8_t kFanCountLow[] = {0x0D, 0x0E, 0x0F, 0x80, 0x82};
constexpr uint8_t kFanCountHigh[] = {0x18, 0x19, 0x1A, 0x81, 0x83};
constexpr uint8_t kControlRegisters[] = {0x15, 0x16, 0x17};

double VoltageGain(uint16_t chip) {
  return IsChipOneOf(chip, {IT8620E, IT8628E, IT8721F, IT8728F, IT8771E, IT8772E}) ? 0.012 : 0.016;
}

bool Has16bitFanCounter(uint16_t chip, uint8_t version) {
  if (chip == IT8705F) return version >= 3;
  if (chip == IT8712F) return version >= 8;
  return true;
}

int GpioCount(uint16_t chip) {
  if (IsChipOneOf(chip, {IT8712F, IT8716F, IT8718F, IT8726F})) return 5;
  if (IsChipOneOf(chip, {IT8720F, IT8721F})) return 8;
  return 0;
}

}  // namespace

TMB_IT87XX::TMB_IT87XX(uint16_t chip, uint16_t gpioAddress, uint16_t address, uint8_t version,
                       const DriverChannelFactory& channels, const TBaseBoardIdentity& identity)
    : TMainBord(chip, address, version, channels, identity), addressReg(static_cast<uint16_t>(address + 5)),
      dataReg(static_cast<uint16_t>(address + 6)), voltageGain(VoltageGain(chip)),
      has16bitFanCounter(Has16bitFanCounter(chip, version)), gpioCount(GpioCount(chip)),
      gpioAddress(gpioAddress) {
  if (!IsGenuine()) return;
  Voltages.resize(9);
  Temperatures.resize(3);
  Fans.resize(chip == IT8705F ? 3 : 5);
  Controls.resize(3);
}

bool TMB_IT87XX::IsGenuine() {
  TMonitorPorts ports = Ports();
  std::optional<uint8_t> vendor = ports.ReadChecked(kVendorRegister);
  if (!vendor || *vendor != kIteVendor) return false;
  std::optional<uint8_t> configuration = ports.ReadChecked(kConfigurationRegister);
  return configuration && (*configuration & kMonitorEnabled) != 0;
}

void TMB_IT87XX::update() {
  auto lock = LockBus(std::chrono::milliseconds(100));
  if (!lock.owns_lock()) return;
  TMonitorPorts ports = Ports();

  // A reading whose index did not read back stays as it was.
  for (size_t i = 0; i < Voltages.size(); ++i) {
    if (auto raw = ports.ReadChecked(static_cast<uint8_t>(0x20 + i))) {
      double volts = *raw * voltageGain;
      Voltages[i].value = volts > 0 ? volts : 0;
    }
  }
  for (size_t i = 0; i < Temperatures.size(); ++i) {
    if (auto raw = ports.ReadChecked(static_cast<uint8_t>(0x29 + i))) {
      Temperatures[i].value = *raw >= 1 && *raw <= 126 ? *raw : 0;
    }
  }
  if (has16bitFanCounter) {
    ReadFans16(ports);
  } else {
    ReadFans8(ports);
  }
  for (size_t i = 0; i < Controls.size(); ++i) {
    if (auto raw = ports.ReadChecked(kControlRegisters[i])) {
      // Bit 7 set: the chip drives the fan on its own, no duty cycle to show.
      Controls[i].value = (*raw & 0x80) != 0 ? 0 : std::nearbyint((*raw & 0x7F) * 100.0 / 127);
    }
  }
}

void TMB_IT87XX::ReadFans16(TMonitorPorts& ports) {
  for (size_t i = 0; i < Fans.size(); ++i) {
    auto low = ports.ReadChecked(kFanCountLow[i]);
    auto high = ports.ReadChecked(kFanCountHigh[i]);
    if (!low || !high) continue;
    int count = *high << 8 | *low;
    Fans[i].value = count >= 64 && count < 0xFFFF ? 1350000.0 / (2 * count) : 0;
  }
}

void TMB_IT87XX::ReadFans8(TMonitorPorts& ports) {
  if (Fans.empty()) return;
  auto divisors = ports.ReadChecked(kFanDivisorRegister);
  for (size_t i = 0; i < Fans.size(); ++i) {
    auto count = ports.ReadChecked(kFanCountLow[i]);
    if (!count) continue;
    int divisor = 2;
    if (i < 2) {
      if (!divisors) continue;
      divisor = 1 << (*divisors >> (3 * i) & 7);
    }
    Fans[i].value = *count != 0 && *count != 0xFF ? 1350000.0 / (*count * divisor) : 0;
  }
}

uint8_t TMB_IT87XX::ReadGPIO(int index) {
  if (index < 0 || index >= gpioCount) return 0;
  return ReadPortByte(*driver, gpioAddress + static_cast<uint32_t>(index));
}

void TMB_IT87XX::WriteGPID(int index, uint8_t value) {
  if (index < 0 || index >= gpioCount) return;
  driver->WriteIoPort(gpioAddress + static_cast<uint32_t>(index), value);
}

}  // namespace vsm
