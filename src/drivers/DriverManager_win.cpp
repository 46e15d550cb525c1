#include "drivers/DriverManager_win.h"

#include <windows.h>

#include "base/handle_win.h"
#include "base/library_win.h"
#include "base/module_path_win.h"

namespace vsm {

namespace {

using GetDrvHandleFn = HANDLE(WINAPI*)(int kind);

// Loaded once and never unloaded: handles it gave out stay valid for the life of the process.
GetDrvHandleFn GetDrvHandle() {
  static const GetDrvHandleFn function = BindFunction<GetDrvHandleFn>(
      LoadLibraryFromFolder(ExecutableFolder(), L"DManager.dll"), "GetDrvHandle");
  return function;
}

class DeviceChannel final : public CountingDriverChannel {
 public:
  explicit DeviceChannel(HANDLE device) : device_(device) {}

  bool IsOpen() const override { return static_cast<bool>(device_); }

  bool ControlReturning(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                        uint32_t& returned) override {
    returned = 0;
    if (!IsOpen() || in == nullptr) return false;
    DWORD count = 0;
    if (!DeviceIoControl(device_.Get(), code, const_cast<void*>(in), inSize, out, outSize, &count, nullptr))
      return false;
    // A driver cannot have written more than the buffer holds; never report more.
    returned = count > outSize ? outSize : count;
    return true;
  }

 private:
  TKernelHandle device_;
};

}  // namespace

std::unique_ptr<DriverChannel> DeviceHandleChannel(void* device) {
  return std::make_unique<DeviceChannel>(device);
}

std::unique_ptr<DriverChannel> OpenDriverChannel(DriverKind kind) {
  GetDrvHandleFn getDrvHandle = GetDrvHandle();
  return DeviceHandleChannel(getDrvHandle != nullptr ? getDrvHandle(static_cast<int>(kind))
                                                     : INVALID_HANDLE_VALUE);
}

}  // namespace vsm
