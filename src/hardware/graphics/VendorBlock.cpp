#include "hardware/graphics/VendorBlock.h"

#include <algorithm>
#include <cstring>

namespace vsm {

namespace {

bool Fits(std::span<const uint8_t> block, size_t offset, size_t size) {
  return offset <= block.size() && size <= block.size() - offset;
}

}  // namespace

uint32_t WordAt(std::span<const uint8_t> block, size_t offset) {
  if (!Fits(block, offset, 4)) return 0;
  return uint32_t{block[offset]} | uint32_t{block[offset + 1]} << 8 |
         uint32_t{block[offset + 2]} << 16 | uint32_t{block[offset + 3]} << 24;
}

int32_t IntAt(std::span<const uint8_t> block, size_t offset) {
  return static_cast<int32_t>(WordAt(block, offset));
}

int64_t Int64At(std::span<const uint8_t> block, size_t offset) {
  if (!Fits(block, offset, 8)) return 0;
  uint64_t low = WordAt(block, offset);
  uint64_t high = WordAt(block, offset + 4);
  return static_cast<int64_t>(low | high << 32);
}

float FloatAt(std::span<const uint8_t> block, size_t offset) {
  uint32_t bits = WordAt(block, offset);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::string TextAt(std::span<const uint8_t> block, size_t offset, size_t length) {
  if (offset >= block.size()) return {};
  std::span<const uint8_t> field = block.subspan(offset, std::min(length, block.size() - offset));
  std::string text;
  for (uint8_t c : field) {
    if (c == 0) break;
    text.push_back(static_cast<char>(c));
  }
  return text;
}

void PutWord(std::span<uint8_t> block, size_t offset, uint32_t value) {
  if (!Fits(block, offset, 4)) return;
  for (size_t i = 0; i < 4; ++i) block[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace vsm
