#include "drivers/DriverManager_win.h"

#include <windows.h>

#include "base/library_win.h"
#include "base/module_path_win.h"

namespace vsm {

namespace {

using GetDrvHandleFn = HANDLE(WINAPI*)(int kind);
using DrvIoControlFn = BOOL(WINAPI*)(HANDLE device, DWORD code, void* in, DWORD inSize, void* out,
                                     DWORD outSize, DWORD* returned);

struct DriverManagerLibrary {
  GetDrvHandleFn getDrvHandle = nullptr;
  DrvIoControlFn ioControl = nullptr;
};

// Loaded once and never unloaded: handles it gave out stay valid for the life of the process.
const DriverManagerLibrary& Library() {
  static const DriverManagerLibrary library = [] {
    DriverManagerLibrary result;
    HMODULE module = LoadLibraryFromFolder(ExecutableFolder(), L"DManager.dll");
    if (module == nullptr) return result;
    result.getDrvHandle = BindFunction<GetDrvHandleFn>(module, "GetDrvHandle");
    result.ioControl = BindFunction<DrvIoControlFn>(module, "DrvIoControl");
    return result;
  }();
  return library;
}

class DeviceChannel final : public CountingDriverChannel {
 public:
  DeviceChannel(HANDLE device, DrvIoControlFn ioControl) : device_(device), ioControl_(ioControl) {}
  ~DeviceChannel() override {
    if (IsOpen()) CloseHandle(device_);
  }
  DeviceChannel(const DeviceChannel&) = delete;
  DeviceChannel& operator=(const DeviceChannel&) = delete;

  bool IsOpen() const override { return device_ != INVALID_HANDLE_VALUE && device_ != nullptr; }

  bool ControlReturning(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                        uint32_t& returned) override {
    returned = 0;
    if (!IsOpen() || in == nullptr) return false;
    DWORD count = 0;
    void* input = const_cast<void*>(in);
    BOOL ok = ioControl_ != nullptr
                  ? ioControl_(device_, code, input, inSize, out, outSize, &count)
                  : DeviceIoControl(device_, code, input, inSize, out, outSize, &count, nullptr);
    if (ok == FALSE) return false;
    // A driver cannot have written more than the buffer holds; never report more.
    returned = count > outSize ? outSize : count;
    return true;
  }

 private:
  HANDLE device_;
  DrvIoControlFn ioControl_;
};

}  // namespace

std::unique_ptr<DriverChannel> OpenDriverChannel(DriverKind kind) {
  const DriverManagerLibrary& library = Library();
  HANDLE device = INVALID_HANDLE_VALUE;
  if (library.getDrvHandle != nullptr) device = library.getDrvHandle(static_cast<int>(kind));
  return std::make_unique<DeviceChannel>(device, library.ioControl);
}

}  // namespace vsm
