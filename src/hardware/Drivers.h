#pragma once
// Access to I/O ports, model-specific registers and PCI configuration space through the
// hardware-access kernel driver. Each call is one request; multi-step register sequences are
// kept together by the callers with the bus locks (BusLock.h).
#include <cstdint>
#include <memory>

#include "drivers/driver_channel.h"

namespace vsm {

class TVeskHdDrv {
 public:
  // Control codes of the hardware-access driver (device type 0x9C40, buffered).
  static constexpr uint32_t kIoctlRdmsr = 0x9C402084;
  static constexpr uint32_t kIoctlReadIoPort = 0x9C4060CC;
  static constexpr uint32_t kIoctlWriteIoPort = 0x9C40A0D8;
  static constexpr uint32_t kIoctlReadPciConfig = 0x9C406144;
  static constexpr uint32_t kIoctlWritePciConfig = 0x9C40A148;

  // A null channel behaves like a missing driver.
  explicit TVeskHdDrv(std::unique_ptr<DriverChannel> channel);
  explicit TVeskHdDrv(const DriverChannelFactory& factory);

  bool HasDriver() const { return channel_ != nullptr && channel_->IsOpen(); }

  // The byte read is in the low 8 bits of value; value is untouched on failure.
  bool ReadIoPort(uint32_t port, uint32_t& value);
  bool WriteIoPort(uint32_t port, uint8_t value);
  // EAX and EDX are untouched on failure.
  bool Rdmsr(uint32_t msrId, uint32_t& EAX, uint32_t& EDX);
  // value is 0 before the request, so a failed read yields 0.
  bool ReadPciConfig(uint32_t pciAddress, uint32_t regAddress, uint32_t& value);
  bool WritePciConfig(uint32_t pciAddress, uint32_t regAddress, uint32_t value);

  static uint32_t GetPciAddress(uint32_t bus, uint32_t device, uint32_t func);

 private:
  std::unique_ptr<DriverChannel> channel_;
};

}  // namespace vsm
