#include "hardware/disk/AtaIdentify.h"

#include "hardware/disk/AtaMinorVersion.h"
#include "hardware/disk/DiskStrings.h"

namespace vsm {

namespace {

const char* HighestBitName(uint16_t bits, const char* const* names, int count) {
  for (int bit = count - 1; bit >= 0; --bit) {
    if (bits & (1u << bit)) return names[bit];
  }
  return nullptr;
}

// Word 77 bits 3..1 are a coded value, not a bit set.
const char* NegotiatedSpeedName(uint16_t word77) {
  switch ((word77 >> 1) & 7) {
    case 1: return "1.5 Gb/s";
    case 2: return "3.0 Gb/s";
    case 3: return "6.0 Gb/s";
    default: return nullptr;  // not reported, or a code beyond this table
  }
}

}  // namespace

std::string IdentifyString(ByteView block, int first, int last) {
  std::string text;
  for (int word = first; word <= last; ++word) {
    uint16_t value = IdentifyWord(block, word);
    text += static_cast<char>(value >> 8);
    text += static_cast<char>(value & 0xFF);
  }
  return text;
}

uint64_t IdentifyCapacity(ByteView block) {
  if ((IdentifyWord(block, 49) & 0x0200) == 0) return 0;  // no LBA
  uint64_t count28 = block.U32(60 * 2);
  uint64_t count48 = (IdentifyWord(block, 83) & 0xC400) == 0x4400 ? block.U64(100 * 2) : 0;
  if (count28 == 0 && count48 == 0) return 0;
  uint64_t sectorSize = 512;
  uint16_t word106 = IdentifyWord(block, 106);
  if ((word106 & 0xD000) == 0x5000)
    sectorSize = 2 * uint64_t{block.U32(117 * 2)};  // words per logical sector
  bool use28 = (count48 >> 32) == 0 && count48 < count28 && (count48 == 0 || sectorSize <= 512);
  return (use28 ? count28 : count48) * sectorSize;
}

int16_t NominalRotationRate(uint16_t word217) {
  if (word217 == 0 || word217 == 0xFFFF || word217 > 0x7FFF) return 0;
  if (word217 == 1) return 1;
  if (word217 <= 0x400) return static_cast<int16_t>(-static_cast<int>(word217));
  return static_cast<int16_t>(word217);
}

std::string SataVersionText(uint16_t word222, uint16_t word76, uint16_t word77) {
  if ((word222 >> 12) != 1) return {};
  static const char* const kRevisions[] = {"ATA8-AST", "SATA 1.0a", "SATA II Ext",
                                           "SATA 2.5", "SATA 2.6",  "SATA 3.0"};
  const char* revision = HighestBitName(word222 & 0x3F, kRevisions, 6);
  std::string text = revision ? revision : ">SATA 3.1";
  if ((word76 & 1) == 0) {
    static const char* const kSpeeds[] = {nullptr, "1.5 Gb/s", "3.0 Gb/s", "6.0 Gb/s"};
    const char* speed = HighestBitName(word76 & 0x0E, kSpeeds, 4);
    text += ", ";
    text += speed ? speed : ">6.0 Gb/s";
  }
  if ((word77 & 1) == 0) {
    if (const char* current = NegotiatedSpeedName(word77)) {
      text += " (current: ";
      text += current;
      text += ")";
    }
  }
  return text;
}

std::optional<TAtaIdentity> DecodeIdentify(ByteView block) {
  if (block.size() < kIdentifyBlockSize) return std::nullopt;
  TAtaIdentity id;
  id.Model = TrimBlanks(IdentifyString(block, 27, 46));
  id.FirmwareRevision = TrimBlanks(IdentifyString(block, 23, 26));
  id.SerialNumber = TrimBlanks(IdentifyString(block, 10, 19));
  id.Size = IdentifyCapacity(block);
  id.Rpm = NominalRotationRate(IdentifyWord(block, 217));
  id.MinorVersion = AtaMinorVersionText(IdentifyWord(block, 81));
  id.MajorVersion =
      SataVersionText(IdentifyWord(block, 222), IdentifyWord(block, 76), IdentifyWord(block, 77));
  return id;
}

}  // namespace vsm
