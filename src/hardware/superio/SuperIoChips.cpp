#include "hardware/superio/SuperIoChips.h"

#include <algorithm>
#include <iterator>

namespace vsm {

namespace {

using F = TSuperIoFamily;

// A revision matches when (revision AND mask) equals value. Fintek rows name their revision
// exactly and the chip value carries it; the others accept a revision range.
struct IdRow {
  uint8_t id;
  uint8_t revisionMask;
  uint8_t revision;
  TSuperIoChip chip;
  F family;
  uint8_t ldn;
};

constexpr IdRow kIdTable[] = {
    {0x05, 0xFF, 0x07, F71858, F::sfFintek, 0x02},       {0x05, 0xFF, 0x41, F71882, F::sfFintek, 0x04},
    {0x06, 0xFF, 0x01, F71862, F::sfFintek, 0x04},       {0x07, 0xFF, 0x23, F71889F, F::sfFintek, 0x04},
    {0x08, 0xFF, 0x14, F71869, F::sfFintek, 0x04},       {0x09, 0xFF, 0x01, F71808E, F::sfFintek, 0x04},
    {0x09, 0xFF, 0x09, F71889ED, F::sfFintek, 0x04},     {0x10, 0xFF, 0x05, F71889AD, F::sfFintek, 0x04},
    {0x10, 0xFF, 0x07, F71869A, F::sfFintek, 0x04},      {0x52, 0xFF, 0x17, W83627HF, F::sfWinbond, 0x0B},
    {0x52, 0xFF, 0x3A, W83627HF, F::sfWinbond, 0x0B},    {0x52, 0xFF, 0x41, W83627HF, F::sfWinbond, 0x0B},
    {0x82, 0xF0, 0x80, W83627THF, F::sfWinbond, 0x0B},   {0x85, 0xFF, 0x41, W83687THF, F::sfWinbond, 0x0B},
    {0x88, 0xF0, 0x50, W83627EHF, F::sfWinbond, 0x0B},   {0x88, 0xF0, 0x60, W83627EHF, F::sfWinbond, 0x0B},
    {0xA0, 0xF0, 0x20, W83627DHG, F::sfWinbond, 0x0B},   {0xA5, 0xF0, 0x10, W83667HG, F::sfWinbond, 0x0B},
    {0xB0, 0xF0, 0x70, W83627DHG_P, F::sfWinbond, 0x0B}, {0xB3, 0xF0, 0x50, W83667HG_B, F::sfWinbond, 0x0B},
    {0xB4, 0xF0, 0x70, NCT6771F, F::sfNuvoton, 0x0B},    {0xC3, 0xF0, 0x30, NCT6776F, F::sfNuvoton, 0x0B},
    {0xC4, 0xF0, 0x50, NCT610X, F::sfNuvoton, 0x0B},     {0xC5, 0xF0, 0x60, NCT6779D, F::sfNuvoton, 0x0B},
    {0xC8, 0xFF, 0x03, NCT6791D, F::sfNuvoton, 0x0B},
};

constexpr TSuperIoChip kIteChips[] = {IT8620E, IT8628E, IT8705F, IT8712F, IT8716F, IT8718F,
                                      IT8720F, IT8721F, IT8726F, IT8728F, IT8771E, IT8772E};

}  // namespace

std::optional<TSuperIoChipId> IdentifyWinbondFamilyChip(uint8_t id, uint8_t revision) {
  for (const IdRow& row : kIdTable) {
    if (row.id == id && (revision & row.revisionMask) == row.revision) {
      return TSuperIoChipId{row.chip, row.family, row.ldn};
    }
  }
  return std::nullopt;
}

bool IsKnownIteChip(uint16_t chip) {
  return std::find(std::begin(kIteChips), std::end(kIteChips), chip) != std::end(kIteChips);
}

bool IsChipOneOf(uint16_t chip, std::initializer_list<uint16_t> chips) {
  return std::find(chips.begin(), chips.end(), chip) != chips.end();
}

uint16_t CorrectMonitorAddress(uint16_t address) {
  return (address & 7) == 5 ? static_cast<uint16_t>(address & ~7) : address;
}

bool IsUsableMonitorAddress(uint16_t address) { return address >= 0x100 && (address & 0xF007) == 0; }

}  // namespace vsm
