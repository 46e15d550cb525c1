#pragma once
// The result blocks of the GPU vendors' libraries, read and written as little-endian words at the
// offsets their published headers give. Reads beyond a block's end give 0, so a short or
// malformed answer can never be read past its end.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vsm {

uint32_t WordAt(std::span<const uint8_t> block, size_t offset);
int32_t IntAt(std::span<const uint8_t> block, size_t offset);
int64_t Int64At(std::span<const uint8_t> block, size_t offset);
float FloatAt(std::span<const uint8_t> block, size_t offset);
// A NUL-terminated 8-bit string in a field of the given length.
std::string TextAt(std::span<const uint8_t> block, size_t offset, size_t length);
// Writes nothing when the word does not fit.
void PutWord(std::span<uint8_t> block, size_t offset, uint32_t value);

// A zero-filled block of a fixed size, aligned as the vendors' structures are.
template <size_t Size>
struct alignas(8) TVendorBlock {
  std::array<uint8_t, Size> bytes{};

  void* data() { return bytes.data(); }
  std::span<const uint8_t> view() const { return bytes; }
  uint32_t Word(size_t offset) const { return WordAt(bytes, offset); }
  int32_t Int(size_t offset) const { return IntAt(bytes, offset); }
  void Put(size_t offset, uint32_t value) { PutWord(bytes, offset, value); }
};

}  // namespace vsm
