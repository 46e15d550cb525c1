#pragma once
// The items of the floating strip and of its popup.
#include <cstdint>
#include <initializer_list>

namespace vsm {

enum TMoniItem : uint8_t {
  miNone,
  miRecv,
  miSend,
  miMemory,
  miCpu,
  miTempCpu,
  miTempGpu,
  miTempDisk,
  miBoard,
  miTempZone,  // an ACPI thermal zone, the last resort of the strip
};
inline constexpr int kMoniItemCount = 10;

inline bool IsTemperatureItem(TMoniItem item) { return item >= miTempCpu; }

// A set of items in 16 bits, iterated in enumeration order.
class TMoniItemSet {
 public:
  constexpr TMoniItemSet() = default;
  constexpr TMoniItemSet(std::initializer_list<TMoniItem> items) {
    for (TMoniItem item : items) Include(item);
  }
  constexpr void Include(TMoniItem item) { bits_ = static_cast<uint16_t>(bits_ | (1u << item)); }
  constexpr bool Contains(TMoniItem item) const { return (bits_ >> item) & 1u; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint16_t Bits() const { return bits_; }

 private:
  uint16_t bits_ = 0;
};

}  // namespace vsm
