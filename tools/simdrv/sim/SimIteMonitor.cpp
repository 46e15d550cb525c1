#include "sim/SimIteMonitor.h"

namespace vsm::sim {

namespace {
constexpr uint8_t kFanCountLow[5] = {0x0D, 0x0E, 0x0F, 0x80, 0x82};
constexpr uint8_t kFanCountHigh[5] = {0x18, 0x19, 0x1A, 0x81, 0x83};
}  // namespace

void SimIteMonitor::SetGenuine() {
  Set(0x58, 0x90);
  Set(0x00, static_cast<uint8_t>(Get(0x00) | 0x10));
}

void SimIteMonitor::SetFanCount16(int fan, uint16_t count) {
  Set(kFanCountLow[fan], static_cast<uint8_t>(count));
  Set(kFanCountHigh[fan], static_cast<uint8_t>(count >> 8));
}

void SimIteMonitor::SetReadBackFault(bool everyRegister) {
  std::lock_guard guard(lock_);
  everyReadBackFaulty_ = everyRegister;
  if (!everyRegister) faultyReadBack_.clear();
}

void SimIteMonitor::SetReadBackFaultFor(uint8_t reg) {
  std::lock_guard guard(lock_);
  faultyReadBack_.insert(reg);
}

uint8_t SimIteMonitor::IndexReadBack(uint8_t index) const {
  bool faulty = everyReadBackFaulty_ || faultyReadBack_.count(index) != 0;
  return faulty ? static_cast<uint8_t>(index ^ 0x80) : index;
}

SimGpioPorts::SimGpioPorts(uint16_t address, int count)
    : address_(address), ports_(static_cast<size_t>(count), 0) {}

void SimGpioPorts::Set(int index, uint8_t value) {
  std::lock_guard guard(lock_);
  ports_.at(static_cast<size_t>(index)) = value;
}

uint8_t SimGpioPorts::Get(int index) const {
  std::lock_guard guard(lock_);
  return ports_.at(static_cast<size_t>(index));
}

int SimGpioPorts::WriteCount() const {
  std::lock_guard guard(lock_);
  return writes_;
}

bool SimGpioPorts::Owns(uint16_t port) const { return port >= address_ && port < address_ + ports_.size(); }

bool SimGpioPorts::ReadPort(uint16_t port, uint8_t& value) {
  std::lock_guard guard(lock_);
  if (!Owns(port)) return false;
  value = ports_[port - address_];
  return true;
}

bool SimGpioPorts::WritePort(uint16_t port, uint8_t value) {
  std::lock_guard guard(lock_);
  if (!Owns(port)) return false;
  ports_[port - address_] = value;
  ++writes_;
  return true;
}

}  // namespace vsm::sim
