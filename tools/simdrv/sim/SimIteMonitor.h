#pragma once
// An ITE IT87xx environment controller: index/data registers whose index port reads back the
// index last written (a read that does not read back is not to be trusted), and the chip's
// simple-I/O GPIO ports.
#include <set>

#include "sim/SimMonitorBlock.h"

namespace vsm::sim {

class SimIteMonitor : public SimMonitorBlock {
 public:
  using SimMonitorBlock::SimMonitorBlock;

  // Vendor register 0x58 = 0x90 and the monitor-enable bit 4 of configuration register 0x00.
  void SetGenuine();
  // 16-bit fan counts: low byte at 0x0D, 0x0E, 0x0F, 0x80, 0x82; high byte at 0x18, 0x19, 0x1A,
  // 0x81, 0x83.
  void SetFanCount16(int fan, uint16_t count);

  // Index read-back answers something else than the index: for every register, or one.
  void SetReadBackFault(bool everyRegister);
  void SetReadBackFaultFor(uint8_t reg);

 protected:
  uint8_t IndexReadBack(uint8_t index) const override;

 private:
  bool everyReadBackFaulty_ = false;
  std::set<uint8_t> faultyReadBack_;
};

// A row of byte-wide GPIO ports starting at one I/O address; records what is written.
class SimGpioPorts : public IoPortDevice {
 public:
  SimGpioPorts(uint16_t address, int count);
  void Set(int index, uint8_t value);
  uint8_t Get(int index) const;
  int WriteCount() const;

  bool ReadPort(uint16_t port, uint8_t& value) override;
  bool WritePort(uint16_t port, uint8_t value) override;

 private:
  bool Owns(uint16_t port) const;

  const uint16_t address_;
  mutable std::mutex lock_;
  std::vector<uint8_t> ports_;
  int writes_ = 0;
};

}  // namespace vsm::sim
