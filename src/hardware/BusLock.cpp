#include "hardware/BusLock.h"

#include <utility>

namespace vsm {

TBusGuard::TBusGuard(TBusGuard&& other) noexcept : bus_(std::exchange(other.bus_, nullptr)) {}

TBusGuard& TBusGuard::operator=(TBusGuard&& other) noexcept {
  if (this != &other) {
    Unlock();
    bus_ = std::exchange(other.bus_, nullptr);
  }
  return *this;
}

TBusGuard::~TBusGuard() { Unlock(); }

void TBusGuard::Unlock() {
  if (bus_ == nullptr) return;
  if (bus_->machineWide_ != nullptr) bus_->machineWide_->Release();
  bus_->local_.unlock();
  bus_ = nullptr;
}

std::shared_ptr<TBusLock> InProcessBusLock(TBus bus) {
  static const auto isa = std::make_shared<TBusLock>();
  static const auto pci = std::make_shared<TBusLock>();
  return bus == TBus::Isa ? isa : pci;
}

TBusGuard TBusLock::Lock(std::chrono::milliseconds timeout) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + timeout;
  if (!local_.try_lock_until(deadline)) return TBusGuard();
  if (machineWide_ != nullptr) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (!machineWide_->Acquire(left.count() > 0 ? left : std::chrono::milliseconds(0))) {
      local_.unlock();
      return TBusGuard();
    }
  }
  return TBusGuard(this);
}

}  // namespace vsm
