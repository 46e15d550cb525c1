#pragma once
// Which Super I/O chips the program drives: identifiers read from configuration space, and the
// rules a hardware-monitor base address must meet.
#include <cstdint>
#include <initializer_list>
#include <optional>

namespace vsm {

// The chips the program drives, as TMainBord::Chip holds them: for Fintek chips configuration
// registers 0x20 (ID) and 0x21 (revision) as one word, for ITE chips the ID word at 0x20, for
// Winbond and Nuvoton chips the value the identifier table gives their ID and revision range.
// Names as the makers' data sheets write them (NCT610X: the NCT6102D and the NCT6106D).
enum TSuperIoChip : uint16_t {
  F71858 = 0x0507,
  F71882 = 0x0541,
  F71862 = 0x0601,
  F71889F = 0x0723,
  F71869 = 0x0814,
  F71808E = 0x0901,
  F71889ED = 0x0909,
  F71889AD = 0x1005,
  F71869A = 0x1007,
  W83627HF = 0x5200,
  W83627THF = 0x8280,
  W83687THF = 0x8541,
  W83627EHF = 0x8800,
  W83627DHG = 0xA020,
  W83667HG = 0xA510,
  W83627DHG_P = 0xB070,
  W83667HG_B = 0xB350,
  NCT6771F = 0xB470,
  NCT6776F = 0xC330,
  NCT610X = 0xC452,
  NCT6779D = 0xC560,
  NCT6791D = 0xC803,
  IT8620E = 0x8620,
  IT8628E = 0x8628,
  IT8705F = 0x8705,
  IT8712F = 0x8712,
  IT8716F = 0x8716,
  IT8718F = 0x8718,
  IT8720F = 0x8720,
  IT8721F = 0x8721,
  IT8726F = 0x8726,
  IT8728F = 0x8728,
  IT8771E = 0x8771,
  IT8772E = 0x8772,
};

enum class TSuperIoFamily { sfFintek, sfWinbond, sfNuvoton, sfIte };

struct TSuperIoChipId {
  uint16_t chip;  // the TMainBord::Chip value
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
