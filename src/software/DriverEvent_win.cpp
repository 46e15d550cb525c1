#include "software/DriverEvent_win.h"

#include <windows.h>

namespace vsm {

namespace {

class WindowsDriverEvent final : public DriverEvent {
 public:
  explicit WindowsDriverEvent(HANDLE event) : event_(event) {}
  ~WindowsDriverEvent() override { CloseHandle(event_); }
  WindowsDriverEvent(const WindowsDriverEvent&) = delete;
  WindowsDriverEvent& operator=(const WindowsDriverEvent&) = delete;

  // The program is 32-bit, and handle values of any process fit in 32 bits.
  uint32_t HandleValue() const override { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(event_)); }
  void Reset() override { ResetEvent(event_); }
  void Signal() override { SetEvent(event_); }
  bool Wait() override { return WaitForSingleObject(event_, INFINITE) == WAIT_OBJECT_0; }

 private:
  HANDLE event_;
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
