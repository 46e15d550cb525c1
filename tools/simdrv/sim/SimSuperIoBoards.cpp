#include "sim/SimSuperIoBoards.h"

namespace vsm::sim {

std::shared_ptr<SimSuperIoConfig> AddWinbondFamilyConfig(SimHardware& machine, uint16_t registerPort,
                                                         const SimWinbondFamilyChip& chip) {
  auto config = std::make_shared<SimSuperIoConfig>(registerPort, SuperIoKey::Winbond);
  config->SetGlobal(0x20, chip.id);
  config->SetGlobal(0x21, chip.revision);
  config->SetGlobal(0x23, static_cast<uint8_t>(chip.vendor >> 8));
  config->SetGlobal(0x24, static_cast<uint8_t>(chip.vendor));
  config->SetLdnWord(chip.monitorLdn, 0x60, chip.address);
  machine.AddPortDevice(config);
  return config;
}

std::shared_ptr<SimSuperIoConfig> AddIteConfig(SimHardware& machine, uint16_t registerPort,
                                               const SimIteChip& chip) {
  auto config = std::make_shared<SimSuperIoConfig>(registerPort, SuperIoKey::Ite);
  config->SetGlobal(0x20, static_cast<uint8_t>(chip.chip >> 8));
  config->SetGlobal(0x21, static_cast<uint8_t>(chip.chip));
  config->SetGlobal(0x22, chip.version);
  config->SetLdnWord(0x04, 0x60, chip.address);
  if (chip.chip == 0x8705) {
    config->SetLdnWord(0x05, 0x60, chip.gpioAddress);
  } else {
    config->SetLdnWord(0x07, 0x62, chip.gpioAddress);
  }
  machine.AddPortDevice(config);
  return config;
}

}  // namespace vsm::sim
