#pragma once
// A Super I/O chip's configuration port pair (register port and value port = register port + 1).
// The chip answers only after its entry key has been written to the register port, and goes back
// to waiting for the key on its exit command. Registers 0x00-0x2F are global (chip ID, revision,
// vendor, chip-wide control); 0x30-0xFF belong to the logical device selected through 0x07.
#include <cstdint>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "sim/SimHardware.h"

namespace vsm::sim {

enum class SuperIoKey {
  Winbond,  // enter: 0x87 0x87; exit: 0xAA on the register port (Winbond, Nuvoton, Fintek)
  Ite,      // enter: 0x87 0x01 0x55 0x55; exit: 0x02 into configuration register 0x02
};

class SimSuperIoConfig : public IoPortDevice {
 public:
  SimSuperIoConfig(uint16_t registerPort, SuperIoKey key);

  // Global registers: the ID at 0x20, the revision at 0x21, and so on.
  void SetGlobal(uint8_t reg, uint8_t value);
  uint8_t Global(uint8_t reg) const;
  // Registers of one logical device; a word puts its high byte at reg and its low byte at reg+1.
  void SetLdn(uint8_t ldn, uint8_t reg, uint8_t value);
  void SetLdnWord(uint8_t ldn, uint8_t reg, uint16_t value);
  // Successive reads of an LDN register answer these values in turn; the last one then stays.
  // Models a base address that is still settling between two reads.
  void SetLdnReadSequence(uint8_t ldn, uint8_t reg, std::vector<uint8_t> values);

  bool InConfigMode() const;
  int Entries() const;
  int Exits() const;

  struct Write {
    uint8_t ldn;  // the LDN selected at the time (meaningless for global registers)
    uint8_t reg;
    uint8_t value;
  };
  // Writes to configuration registers other than the LDN selector and the exit command.
  std::vector<Write> Writes() const;

  bool ReadPort(uint16_t port, uint8_t& value) override;
  bool WritePort(uint16_t port, uint8_t value) override;

 private:
  uint8_t ReadRegister(uint8_t reg);
  void WriteRegister(uint8_t reg, uint8_t value);
  void AdvanceKey(uint8_t value);
  void LeaveConfigMode();

  const uint16_t registerPort_;
  const SuperIoKey key_;
  mutable std::mutex lock_;
  size_t keyProgress_ = 0;
  bool configMode_ = false;
  uint8_t index_ = 0;
  uint8_t ldn_ = 0;
  int entries_ = 0;
  int exits_ = 0;
  uint8_t global_[0x30] = {};
  std::map<std::pair<uint8_t, uint8_t>, uint8_t> ldnRegisters_;
  std::map<std::pair<uint8_t, uint8_t>, std::vector<uint8_t>> readSequences_;
  std::vector<Write> writes_;
};

}  // namespace vsm::sim
