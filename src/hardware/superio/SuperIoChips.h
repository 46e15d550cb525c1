#pragma once
// Which Super I/O chips the program drives: identifiers read from configuration space, and the
// rules a hardware-monitor base address must meet.
#include <cstdint>
#include <initializer_list>
#include <optional>

namespace vsm {

enum class TSuperIoFamily { sfFintek, sfWinbond, sfNuvoton, sfIte };

struct TSuperIoChipId {
  uint16_t chip;       // the TMainBord::Chip value
  TSuperIoFamily family;
  uint8_t monitorLdn;  // logical device of the hardware monitor
};

// Winbond, Nuvoton and Fintek chips, from configuration registers 0x20 (ID) and 0x21 (revision).
// Nothing for an ID or revision the program does not drive.
std::optional<TSuperIoChipId> IdentifyWinbondFamilyChip(uint8_t id, uint8_t revision);

// ITE chips, from the configuration word at 0x20; the word is the chip value.
bool IsKnownIteChip(uint16_t chip);

// Whether chip is one of the listed chip values (per-chip tables of the chip classes).
bool IsChipOneOf(uint16_t chip, std::initializer_list<uint16_t> chips);

// A Winbond-family base address whose low three bits are 5 points at the index port itself.
uint16_t CorrectMonitorAddress(uint16_t address);
// Usable: at least 0x100 and none of the bits 0xF007 set.
bool IsUsableMonitorAddress(uint16_t address);

}  // namespace vsm
