#include "block_file.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace ata_decode {

namespace {

constexpr size_t kBlockSize = 512;

bool IsHex(const std::string& token) {
  for (char c : token) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return !token.empty();
}

// Appends the line's bytes when every token is a 4-digit word or every token a 2-digit byte.
bool AppendHexLine(const std::string& line, std::vector<uint8_t>& bytes) {
  std::istringstream in(line);
  std::vector<std::string> tokens{std::istream_iterator<std::string>(in),
                                  std::istream_iterator<std::string>()};
  if (tokens.empty()) return false;
  size_t width = tokens.front().size();
  if (width != 2 && width != 4) return false;
  for (const std::string& token : tokens) {
    if (token.size() != width || !IsHex(token)) return false;
  }
  for (const std::string& token : tokens) {
    unsigned long value = std::stoul(token, nullptr, 16);
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
    if (width == 4) bytes.push_back(static_cast<uint8_t>(value >> 8));
  }
  return true;
}

bool LooksLikeText(const std::vector<uint8_t>& bytes) {
  for (uint8_t b : bytes) {
    if (b != '\n' && b != '\r' && b != '\t' && (b < 0x20 || b > 0x7E)) return false;
  }
  return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> ParseBlockText(const std::string& text, std::string& error) {
  std::vector<uint8_t> bytes;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) AppendHexLine(line, bytes);
  if (bytes.size() != kBlockSize) {
    error = "the hex text holds " + std::to_string(bytes.size()) + " bytes, not a 512-byte block";
    return std::nullopt;
  }
  return bytes;
}

std::optional<std::vector<uint8_t>> ReadBlockFile(const std::string& path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot open " + path;
    return std::nullopt;
  }
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (bytes.size() == kBlockSize && !LooksLikeText(bytes)) return bytes;
  if (LooksLikeText(bytes)) return ParseBlockText(std::string(bytes.begin(), bytes.end()), error);
  error = path + " holds " + std::to_string(bytes.size()) + " bytes, not a 512-byte block";
  return std::nullopt;
}

}  // namespace ata_decode
