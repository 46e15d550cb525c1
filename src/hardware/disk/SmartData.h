#pragma once
// The attribute table of the 512-byte SMART READ DATA block: a 2-byte revision, then 30 entries of
// 12 bytes (ID, 2 flag bytes, current value, worst value, 6 raw bytes, 1 reserved byte). The rest
// of the block is status and checksum, never attributes.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/le_bytes.h"

namespace vsm {

constexpr size_t kSmartBlockSize = 512;
constexpr int kSmartAttributeSlots = 30;
constexpr size_t kSmartAttributeSize = 12;

struct TSmartAttribute {
  uint8_t Id = 0;
  uint16_t Flags = 0;
  uint8_t Current = 0;
  uint8_t Worst = 0;
  std::array<uint8_t, 6> Raw{};
};

// The entry in slot 0..29; nothing when the slot is empty (ID 0) or lies beyond the block's end.
std::optional<TSmartAttribute> SmartAttributeAt(ByteView block, int slot);

// The first slot holding attribute `id`.
std::optional<int> FindSmartAttribute(ByteView block, uint8_t id);

// Every attribute present, in slot order.
std::vector<TSmartAttribute> SmartAttributes(ByteView block);

}  // namespace vsm
