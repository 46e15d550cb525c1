#include "hardware/superio/SuperIoConfig.h"

#include "hardware/Drivers.h"
#include "hardware/superio/MonitorPorts.h"

namespace vsm {

namespace {
constexpr uint8_t kLdnSelect = 0x07;
}

uint8_t TSuperIoConfig::ReadRegister(uint8_t index) const {
  TVeskHdDrv drv(channels_);
  drv.WriteIoPort(registerPort_, index);
  return ReadPortByte(drv, ValuePort());
}

uint16_t TSuperIoConfig::ReadWord(uint8_t index) const {
  uint16_t high = ReadRegister(index);
  uint16_t low = ReadRegister(static_cast<uint8_t>(index + 1));
  return static_cast<uint16_t>(high << 8 | low);
}

void TSuperIoConfig::WriteRegister(uint8_t index, uint8_t value) const {
  TVeskHdDrv drv(channels_);
  drv.WriteIoPort(registerPort_, index);
  drv.WriteIoPort(ValuePort(), value);
}

void TSuperIoConfig::SelectLdn(uint8_t ldn) const { WriteRegister(kLdnSelect, ldn); }

}  // namespace vsm
