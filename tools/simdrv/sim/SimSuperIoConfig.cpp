#include "sim/SimSuperIoConfig.h"

namespace vsm::sim {

namespace {

constexpr uint8_t kLdnSelect = 0x07;
constexpr uint8_t kIteConfigControl = 0x02;
constexpr uint8_t kWinbondExit = 0xAA;

std::vector<uint8_t> EntryKey(SuperIoKey key, uint16_t registerPort) {
  if (key == SuperIoKey::Winbond) return {0x87, 0x87};
  // ITE chips take a different last key byte on the alternate port pair.
  return {0x87, 0x01, 0x55, static_cast<uint8_t>(registerPort == 0x2E ? 0x55 : 0xAA)};
}

}  // namespace

SimSuperIoConfig::SimSuperIoConfig(uint16_t registerPort, SuperIoKey key)
    : registerPort_(registerPort), key_(key) {}

void SimSuperIoConfig::SetGlobal(uint8_t reg, uint8_t value) {
  std::lock_guard guard(lock_);
  if (reg < sizeof global_) global_[reg] = value;
}

uint8_t SimSuperIoConfig::Global(uint8_t reg) const {
  std::lock_guard guard(lock_);
  return reg < sizeof global_ ? global_[reg] : 0;
}

void SimSuperIoConfig::SetLdn(uint8_t ldn, uint8_t reg, uint8_t value) {
  std::lock_guard guard(lock_);
  ldnRegisters_[{ldn, reg}] = value;
}

void SimSuperIoConfig::SetLdnWord(uint8_t ldn, uint8_t reg, uint16_t value) {
  SetLdn(ldn, reg, static_cast<uint8_t>(value >> 8));
  SetLdn(ldn, static_cast<uint8_t>(reg + 1), static_cast<uint8_t>(value));
}

void SimSuperIoConfig::SetLdnReadSequence(uint8_t ldn, uint8_t reg, std::vector<uint8_t> values) {
  std::lock_guard guard(lock_);
  readSequences_[{ldn, reg}] = std::move(values);
}

bool SimSuperIoConfig::InConfigMode() const {
  std::lock_guard guard(lock_);
  return configMode_;
}

int SimSuperIoConfig::Entries() const {
  std::lock_guard guard(lock_);
  return entries_;
}

int SimSuperIoConfig::Exits() const {
  std::lock_guard guard(lock_);
  return exits_;
}

std::vector<SimSuperIoConfig::Write> SimSuperIoConfig::Writes() const {
  std::lock_guard guard(lock_);
  return writes_;
}

bool SimSuperIoConfig::ReadPort(uint16_t port, uint8_t& value) {
  if (port != registerPort_ && port != registerPort_ + 1) return false;
  std::lock_guard guard(lock_);
  if (!configMode_) {
    value = 0xFF;  // a chip waiting for its key does not drive the bus
  } else {
    value = port == registerPort_ ? index_ : ReadRegister(index_);
  }
  return true;
}

bool SimSuperIoConfig::WritePort(uint16_t port, uint8_t value) {
  if (port != registerPort_ && port != registerPort_ + 1) return false;
  std::lock_guard guard(lock_);
  if (!configMode_) {
    if (port == registerPort_) AdvanceKey(value);
    return true;
  }
  if (port == registerPort_) {
    if (key_ == SuperIoKey::Winbond && value == kWinbondExit) {
      LeaveConfigMode();
    } else {
      index_ = value;
    }
    return true;
  }
  WriteRegister(index_, value);
  return true;
}

uint8_t SimSuperIoConfig::ReadRegister(uint8_t reg) {
  if (reg == kLdnSelect) return ldn_;
  if (reg < sizeof global_) return global_[reg];
  auto sequence = readSequences_.find({ldn_, reg});
  if (sequence != readSequences_.end() && !sequence->second.empty()) {
    uint8_t value = sequence->second.front();
    if (sequence->second.size() > 1) sequence->second.erase(sequence->second.begin());
    return value;
  }
  auto it = ldnRegisters_.find({ldn_, reg});
  return it == ldnRegisters_.end() ? 0 : it->second;
}

void SimSuperIoConfig::WriteRegister(uint8_t reg, uint8_t value) {
  if (reg == kLdnSelect) {
    ldn_ = value;
    return;
  }
  if (key_ == SuperIoKey::Ite && reg == kIteConfigControl && (value & 0x02) != 0) {
    LeaveConfigMode();
    return;
  }
  writes_.push_back({ldn_, reg, value});
  if (reg < sizeof global_) {
    global_[reg] = value;
  } else {
    ldnRegisters_[{ldn_, reg}] = value;
  }
}

void SimSuperIoConfig::AdvanceKey(uint8_t value) {
  const std::vector<uint8_t> key = EntryKey(key_, registerPort_);
  if (value == key[keyProgress_]) {
    ++keyProgress_;
  } else {
    keyProgress_ = value == key[0] ? 1 : 0;
  }
  if (keyProgress_ == key.size()) {
    keyProgress_ = 0;
    configMode_ = true;
    ++entries_;
  }
}

void SimSuperIoConfig::LeaveConfigMode() {
  configMode_ = false;
  keyProgress_ = 0;
  ++exits_;
}

}  // namespace vsm::sim
