#pragma once
// The hardware-monitor block of a Super I/O chip: an index port at base+5 and a data port at
// base+6 in front of a register file. The family files add what their chips do on top.
#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "sim/SimHardware.h"

namespace vsm::sim {

class SimMonitorBlock : public IoPortDevice {
 public:
  explicit SimMonitorBlock(uint16_t base);

  uint16_t Base() const { return base_; }
  // Registers are keyed as the chip addresses them (banked chips: bank in the high byte).
  void Set(uint16_t reg, uint8_t value);
  // The high byte at reg, the low byte at reg+1.
  void SetWord(uint16_t reg, uint16_t value);
  uint8_t Get(uint16_t reg) const;

  struct Write {
    uint16_t reg;
    uint8_t value;
  };
  // Data writes, in order (bank selections excluded).
  std::vector<Write> Writes() const;
  void ClearWrites();

  bool ReadPort(uint16_t port, uint8_t& value) override;
  bool WritePort(uint16_t port, uint8_t value) override;

 protected:
  // What a read of the index port answers; called under the block's lock.
  virtual uint8_t IndexReadBack(uint8_t index) const { return index; }
  // The register the data port addresses now; called under the block's lock.
  virtual uint16_t Addressed(uint8_t index) const { return index; }
  // Lets a family take a data write for itself (a bank selector); true when taken.
  virtual bool TakeDataWrite(uint8_t /*index*/, uint8_t /*value*/) { return false; }

  mutable std::mutex lock_;

 private:
  const uint16_t base_;
  uint8_t index_ = 0;
  std::map<uint16_t, uint8_t> registers_;
  std::vector<Write> writes_;
};

// Winbond and Nuvoton blocks: writing b to register 0x4E selects bank b, and the data port then
// addresses register (b << 8 | index).
class SimBankedMonitorBlock : public SimMonitorBlock {
 public:
  using SimMonitorBlock::SimMonitorBlock;
  uint8_t Bank() const;

 protected:
  uint16_t Addressed(uint8_t index) const override;
  bool TakeDataWrite(uint8_t index, uint8_t value) override;

 private:
  uint8_t bank_ = 0;
};

}  // namespace vsm::sim
