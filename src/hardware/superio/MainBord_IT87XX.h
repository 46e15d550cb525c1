#pragma once
// ITE IT87xx environment controllers, with their simple-I/O GPIO ports.
#include "hardware/superio/MainBord.h"

namespace vsm {

class TMB_IT87XX final : public TMainBord {
 public:
  TMB_IT87XX(uint16_t chip, uint16_t gpioAddress, uint16_t address, uint8_t version,
             const DriverChannelFactory& channels, const TBaseBoardIdentity& identity);
  void update() override;
  uint8_t ReadGPIO(int index) override;
  void WriteGPID(int index, uint8_t value) override;

  uint16_t addressReg;
  uint16_t dataReg;
  double voltageGain;
  bool has16bitFanCounter;
  int gpioCount = 0;
  uint16_t gpioAddress;

 private:
  bool IsGenuine();
  void ReadFans16(TMonitorPorts& ports);
  void ReadFans8(TMonitorPorts& ports);
};

}  // namespace vsm
