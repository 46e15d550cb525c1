#pragma once
// Configuration-space access on one Super I/O port pair: the register port takes an index, the
// value port (register port + 1) reads or writes the register. Every access opens a driver-access
// object of its own and releases it afterwards; the entry and exit key sequences are written by
// the probe through its own object.
#include <cstdint>
#include <utility>

#include "drivers/driver_channel.h"

namespace vsm {

class TSuperIoConfig {
 public:
  TSuperIoConfig(uint16_t registerPort, DriverChannelFactory channels)
      : registerPort_(registerPort), channels_(std::move(channels)) {}

  uint16_t RegisterPort() const { return registerPort_; }
  uint16_t ValuePort() const { return static_cast<uint16_t>(registerPort_ + 1); }

  // A failed read yields 0.
  uint8_t ReadRegister(uint8_t index) const;
  // Register index (high byte) followed by index + 1 (low byte).
  uint16_t ReadWord(uint8_t index) const;
  void WriteRegister(uint8_t index, uint8_t value) const;
  // Logical device selection through register 0x07.
  void SelectLdn(uint8_t ldn) const;

 private:
  const uint16_t registerPort_;
  const DriverChannelFactory channels_;
};

}  // namespace vsm
