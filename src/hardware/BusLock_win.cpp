#include "hardware/BusLock_win.h"

#include <windows.h>

#include "base/handle_win.h"
#include "base/wide_win.h"

namespace vsm {

namespace {

class NamedMutex final : public TMachineMutex {
 public:
  explicit NamedMutex(HANDLE handle) : handle_(handle) {}

  bool Acquire(std::chrono::milliseconds timeout) override {
    const DWORD result = WaitForSingleObject(handle_.Get(), static_cast<DWORD>(timeout.count()));
    // A holder that ended without releasing the mutex hands it over abandoned: it is ours then.
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
  }
  void Release() override { ReleaseMutex(handle_.Get()); }

 private:
  TKernelHandle handle_;
};

}  // namespace

std::unique_ptr<TMachineMutex> OpenMachineMutex(std::string_view name) {
  const std::wstring wide = Widen(name);
  HANDLE handle = CreateMutexW(nullptr, FALSE, wide.c_str());
  // Another program may have created it with a descriptor that does not let us create it again.
  if (handle == nullptr) handle = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, wide.c_str());
  if (handle == nullptr) return nullptr;
  return std::make_unique<NamedMutex>(handle);
}

std::shared_ptr<TBusLock> IsaBusLock() {
  static const auto lock = std::make_shared<TBusLock>(OpenMachineMutex(kIsaBusMutexName));
  return lock;
}

std::shared_ptr<TBusLock> PciBusLock() {
  static const auto lock = std::make_shared<TBusLock>(OpenMachineMutex(kPciBusMutexName));
  return lock;
}

}  // namespace vsm
