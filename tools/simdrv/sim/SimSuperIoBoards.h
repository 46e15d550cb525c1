#pragma once
// Ready-made configuration spaces of Super I/O chips, for tests and simulated machines: the
// identification registers and the monitor's base address where the chips keep them.
#include <cstdint>
#include <memory>

#include "sim/SimHardware.h"
#include "sim/SimSuperIoConfig.h"

namespace vsm::sim {

struct SimWinbondFamilyChip {
  uint8_t id;          // register 0x20
  uint8_t revision;    // register 0x21
  uint8_t monitorLdn;  // logical device of the hardware monitor
  uint16_t address;    // its base address word at 0x60
  uint16_t vendor;     // word at 0x23 (Fintek chips: 0x1934)
};

// A Winbond, Nuvoton or Fintek chip on the pair registerPort/registerPort+1.
std::shared_ptr<SimSuperIoConfig> AddWinbondFamilyConfig(SimHardware& machine, uint16_t registerPort,
                                                         const SimWinbondFamilyChip& chip);

struct SimIteChip {
  uint16_t chip;         // word at 0x20
  uint8_t version;       // register 0x22
  uint16_t address;      // environment controller (LDN 4) base at 0x60
  uint16_t gpioAddress;  // simple-I/O base: LDN 7 at 0x62, on the IT8705F LDN 5 at 0x60
};

// An ITE chip on the pair registerPort/registerPort+1.
std::shared_ptr<SimSuperIoConfig> AddIteConfig(SimHardware& machine, uint16_t registerPort,
                                               const SimIteChip& chip);

}  // namespace vsm::sim
