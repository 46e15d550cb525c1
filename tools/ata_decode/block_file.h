#pragma once
// Reading a saved 512-byte ATA block: the raw bytes, or hex text such as `hdparm --Istdout`
// prints (lines of 16-bit words) or lines of byte pairs.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ata_decode {

// The 512 bytes of the block, or nothing with `error` telling why.
std::optional<std::vector<uint8_t>> ReadBlockFile(const std::string& path, std::string& error);

// The block a text holds; lines that are not wholly hex words or hex bytes (headings such as
// "/dev/sda:") are skipped. Words are stored little-endian, as the drive delivers them.
std::optional<std::vector<uint8_t>> ParseBlockText(const std::string& text, std::string& error);

}  // namespace ata_decode
