#include "sim/SimMonitorBlock.h"

namespace vsm::sim {

namespace {
constexpr uint8_t kBankSelect = 0x4E;
}

SimMonitorBlock::SimMonitorBlock(uint16_t base) : base_(base) {}

void SimMonitorBlock::Set(uint16_t reg, uint8_t value) {
  std::lock_guard guard(lock_);
  registers_[reg] = value;
}

void SimMonitorBlock::SetWord(uint16_t reg, uint16_t value) {
  Set(reg, static_cast<uint8_t>(value >> 8));
  Set(static_cast<uint16_t>(reg + 1), static_cast<uint8_t>(value));
}

uint8_t SimMonitorBlock::Get(uint16_t reg) const {
  std::lock_guard guard(lock_);
  auto it = registers_.find(reg);
  return it == registers_.end() ? 0 : it->second;
}

std::vector<SimMonitorBlock::Write> SimMonitorBlock::Writes() const {
  std::lock_guard guard(lock_);
  return writes_;
}

void SimMonitorBlock::ClearWrites() {
  std::lock_guard guard(lock_);
  writes_.clear();
}

bool SimMonitorBlock::ReadPort(uint16_t port, uint8_t& value) {
  if (port != base_ + 5 && port != base_ + 6) return false;
  std::lock_guard guard(lock_);
  if (port == base_ + 5) {
    value = IndexReadBack(index_);
  } else {
    auto it = registers_.find(Addressed(index_));
    value = it == registers_.end() ? 0 : it->second;
  }
  return true;
}

bool SimMonitorBlock::WritePort(uint16_t port, uint8_t value) {
  if (port != base_ + 5 && port != base_ + 6) return false;
  std::lock_guard guard(lock_);
  if (port == base_ + 5) {
    index_ = value;
  } else if (!TakeDataWrite(index_, value)) {
    uint16_t reg = Addressed(index_);
    registers_[reg] = value;
    writes_.push_back({reg, value});
  }
  return true;
}

uint8_t SimBankedMonitorBlock::Bank() const {
  std::lock_guard guard(lock_);
  return bank_;
}

uint16_t SimBankedMonitorBlock::Addressed(uint8_t index) const {
  return static_cast<uint16_t>(bank_ << 8 | index);
}

bool SimBankedMonitorBlock::TakeDataWrite(uint8_t index, uint8_t value) {
  if (index != kBankSelect) return false;
  bank_ = value;
  return true;
}

}  // namespace vsm::sim
