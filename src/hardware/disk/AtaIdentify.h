#pragma once
// Decoding the 512-byte IDENTIFY DEVICE block of an ATA drive.
#include <cstdint>
#include <optional>
#include <string>

#include "base/le_bytes.h"

namespace vsm {

constexpr size_t kIdentifyBlockSize = 512;

struct TAtaIdentity {
  // The text fields without their padding (blanks, NULs) at either end.
  std::string Model;
  std::string FirmwareRevision;
  std::string SerialNumber;
  uint64_t Size = 0;         // bytes; 0 when the block gives no LBA capacity
  int16_t Rpm = 0;           // nominal rotation rate, see NominalRotationRate
  std::string MinorVersion;  // ATA/ATAPI revision (word 81)
  std::string MajorVersion;  // SATA revision and speeds; empty for other transports
};

// Nothing when the block is shorter than 512 bytes.
std::optional<TAtaIdentity> DecodeIdentify(ByteView block);

// Word `index` of the block (0 beyond its end).
inline uint16_t IdentifyWord(ByteView block, int index) { return block.U16(static_cast<size_t>(index) * 2); }

// An ASCII field of words first..last, each word's two bytes swapped (the first character is the
// word's high byte).
std::string IdentifyString(ByteView block, int first, int last);

// Capacity in bytes from the 28- and 48-bit sector counts and the logical sector size.
uint64_t IdentifyCapacity(ByteView block);

// Word 217: 0 not reported, 1 solid state, 0x401.. the rate in rpm; reserved codes 2..0x400 are
// kept negated so that they count as "rotating, rate unknown". Codes that do not fit the signed
// 16-bit field read as not reported.
int16_t NominalRotationRate(uint16_t word217);

// The serial transport's highest SATA revision (word 222), the supported speeds (word 76) and the
// negotiated speed (word 77), e.g. "SATA 3.0, 6.0 Gb/s (current: 3.0 Gb/s)"; empty when the drive
// does not report a serial transport.
std::string SataVersionText(uint16_t word222, uint16_t word76, uint16_t word77);

}  // namespace vsm
