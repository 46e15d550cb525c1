#include "hardware/graphics/VendorBlock.h"

#include <bit>

#include "base/le_bytes.h"

namespace vsm {

uint32_t WordAt(std::span<const uint8_t> block, size_t offset) { return ByteView(block).U32(offset); }

int32_t IntAt(std::span<const uint8_t> block, size_t offset) {
  return static_cast<int32_t>(WordAt(block, offset));
}

int64_t Int64At(std::span<const uint8_t> block, size_t offset) {
  return static_cast<int64_t>(ByteView(block).U64(offset));
}

float FloatAt(std::span<const uint8_t> block, size_t offset) {
  return std::bit_cast<float>(WordAt(block, offset));
}

std::string TextAt(std::span<const uint8_t> block, size_t offset, size_t length) {
  const ByteView field = ByteView(block).Sub(offset, length);
  std::string text;
  for (size_t i = 0; i < field.size() && field.U8(i) != 0; ++i)
    text.push_back(static_cast<char>(field.U8(i)));
  return text;
}

void PutWord(std::span<uint8_t> block, size_t offset, uint32_t value) { PutLe(block, offset, value, 4); }

}  // namespace vsm
