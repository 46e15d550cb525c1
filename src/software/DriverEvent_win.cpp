#include "software/DriverEvent_win.h"

#include <windows.h>

#include "base/handle_win.h"

namespace vsm {

namespace {

class WindowsDriverEvent final : public DriverEvent {
 public:
  explicit WindowsDriverEvent(HANDLE event) : event_(event) {}

  // The program is 32-bit, and handle values of any process fit in 32 bits.
  uint32_t HandleValue() const override {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(event_.Get()));
  }
  void Reset() override { ResetEvent(event_.Get()); }
  void Signal() override { SetEvent(event_.Get()); }
  bool Wait() override { return WaitForSingleObject(event_.Get(), INFINITE) == WAIT_OBJECT_0; }

 private:
  TKernelHandle event_;
};

}  // namespace

DriverEventFactory WindowsDriverEventFactory() {
  return []() -> std::unique_ptr<DriverEvent> {
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (event == nullptr) return nullptr;
    return std::make_unique<WindowsDriverEvent>(event);
  };
}

}  // namespace vsm
