#pragma once
// Port-level access shared by the chip code: a byte read that yields 0 when the driver fails, and
// the register protocols of the hardware-monitor blocks (index port at base+5, data port at
// base+6). Callers hold the driver's lock around a whole sampling pass.
#include <cstdint>
#include <optional>

#include "hardware/Drivers.h"

namespace vsm {

// A failed read yields 0.
uint8_t ReadPortByte(TVeskHdDrv& drv, uint32_t port);

class TMonitorPorts {
 public:
  TMonitorPorts(TVeskHdDrv& drv, uint16_t base) : drv_(drv), base_(base) {}

  // Index, then data (Fintek).
  uint8_t Read(uint8_t reg);
  // Index, data, then the index port again: the value counts only when the index reads back
  // unchanged (ITE).
  std::optional<uint8_t> ReadChecked(uint8_t reg);
  // Bank selection through register 0x4E, then index and data (Winbond, Nuvoton).
  uint8_t ReadBanked(uint8_t bank, uint8_t reg);
  void WriteBanked(uint8_t bank, uint8_t reg, uint8_t value);
  // A Nuvoton register number carries its bank in the high byte.
  uint8_t Read16(uint16_t reg) {
    return ReadBanked(static_cast<uint8_t>(reg >> 8), static_cast<uint8_t>(reg));
  }

 private:
  void SelectBank(uint8_t bank, uint8_t reg);

  TVeskHdDrv& drv_;
  const uint16_t base_;
};

}  // namespace vsm
