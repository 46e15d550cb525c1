#include "hardware/disk/SmartData.h"

namespace vsm {

namespace {

constexpr size_t kFirstAttribute = 2;

}  // namespace

std::optional<TSmartAttribute> SmartAttributeAt(ByteView block, int slot) {
  if (slot < 0 || slot >= kSmartAttributeSlots) return std::nullopt;
  size_t at = kFirstAttribute + static_cast<size_t>(slot) * kSmartAttributeSize;
  if (!block.Has(at, kSmartAttributeSize) || block.U8(at) == 0) return std::nullopt;
  TSmartAttribute attribute;
  attribute.Id = block.U8(at);
  attribute.Flags = block.U16(at + 1);
  attribute.Current = block.U8(at + 3);
  attribute.Worst = block.U8(at + 4);
  for (size_t i = 0; i < attribute.Raw.size(); ++i) attribute.Raw[i] = block.U8(at + 5 + i);
  return attribute;
}

std::optional<int> FindSmartAttribute(ByteView block, uint8_t id) {
  for (int slot = 0; slot < kSmartAttributeSlots; ++slot) {
    auto attribute = SmartAttributeAt(block, slot);
    if (attribute && attribute->Id == id) return slot;
  }
  return std::nullopt;
}

std::vector<TSmartAttribute> SmartAttributes(ByteView block) {
  std::vector<TSmartAttribute> attributes;
  for (int slot = 0; slot < kSmartAttributeSlots; ++slot) {
    if (auto attribute = SmartAttributeAt(block, slot)) attributes.push_back(*attribute);
  }
  return attributes;
}

}  // namespace vsm
