#pragma once
// Little-endian fields of byte buffers that came from a device, a driver or a file. Every read is
// checked against the end of the buffer: a field that does not lie wholly inside reads as 0, so a
// decoder first asks Has() for what it cannot do without.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vsm {

class ByteView {
 public:
  ByteView() = default;
  ByteView(const uint8_t* data, size_t size) : bytes_(data, size) {}
  ByteView(std::span<const uint8_t> bytes) : bytes_(bytes) {}     // NOLINT: views convert freely
  ByteView(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}  // NOLINT

  size_t size() const { return bytes_.size(); }
  const uint8_t* data() const { return bytes_.data(); }
  bool Has(size_t offset, size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }

  uint8_t U8(size_t offset) const { return Has(offset, 1) ? bytes_[offset] : 0; }
  uint16_t U16(size_t offset) const { return static_cast<uint16_t>(Read(offset, 2)); }
  uint32_t U32(size_t offset) const { return static_cast<uint32_t>(Read(offset, 4)); }
  uint64_t U64(size_t offset) const { return Read(offset, 8); }

  // The part from offset on, at most count bytes; empty when offset lies beyond the end.
  ByteView Sub(size_t offset, size_t count = SIZE_MAX) const {
    if (offset >= bytes_.size()) return {};
    return ByteView(bytes_.subspan(offset, std::min(count, bytes_.size() - offset)));
  }

 private:
  uint64_t Read(size_t offset, size_t width) const {
    if (!Has(offset, width)) return 0;
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i) value |= static_cast<uint64_t>(bytes_[offset + i]) << (8 * i);
    return value;
  }

  std::span<const uint8_t> bytes_;
};

// Writes a little-endian field of up to 8 bytes into a buffer (a vector, an array or a span over
// a caller's memory); a field that does not lie wholly inside writes nothing.
inline void PutLe(std::span<uint8_t> out, size_t offset, uint64_t value, size_t width) {
  if (width > sizeof value || offset > out.size() || width > out.size() - offset) return;
  for (size_t i = 0; i < width; ++i) out[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace vsm
