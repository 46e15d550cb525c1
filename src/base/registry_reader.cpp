#include "base/registry_reader.h"

#include "base/le_bytes.h"
#include "base/text.h"

namespace vsm {

namespace {

std::optional<uint8_t> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadRegText(const RegStringReader& reader, RegRoot root, const std::string& path,
                                       const std::string& name) {
  std::string text;
  if (!reader || !reader(root, path, name, text)) return std::nullopt;
  return text;
}

std::optional<std::vector<uint8_t>> ParseRegHexForm(std::string_view text) {
  std::vector<uint8_t> bytes;
  if (text.empty()) return bytes;
  for (const std::string& piece : Split(text, ',')) {
    if (piece.size() != 2) return std::nullopt;
    auto high = HexDigit(piece[0]);
    auto low = HexDigit(piece[1]);
    if (!high || !low) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(*high << 4 | *low));
  }
  return bytes;
}

std::optional<uint32_t> RegTextToUInt32(std::string_view text) {
  // Two hex digits alone are also a decimal number; raw data of one byte is too short for a
  // 32-bit number anyway, so decimal wins.
  if (auto number = ParseInteger(text)) {
    // A 32-bit number may have been rendered signed.
    if (*number >= -0x80000000ll && *number <= 0xFFFFFFFFll) return static_cast<uint32_t>(*number);
    return std::nullopt;
  }
  auto bytes = ParseRegHexForm(text);
  if (!bytes || bytes->size() < 4) return std::nullopt;
  return ByteView(*bytes).U32(0);
}

}  // namespace vsm
