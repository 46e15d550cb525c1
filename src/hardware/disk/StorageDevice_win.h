#pragma once
// Storage requests on an open volume or physical-drive handle.
#include <windows.h>

#include <memory>
#include <string>

#include "base/handle_win.h"
#include "hardware/disk/StorageDevice.h"

namespace vsm {

class TWinStorageDevice final : public TStorageDevice {
 public:
  explicit TWinStorageDevice(HANDLE handle) : handle_(handle) {}

  TStorageReply Control(uint32_t code, const std::vector<uint8_t>& in, std::vector<uint8_t>& out) override;
  TDevicePower PowerState() override;

 private:
  TKernelHandle handle_;
};

// Opens a device path with CreateFileW (open-existing); nothing when that fails.
std::unique_ptr<TStorageDevice> OpenStorageDevice(const std::wstring& path, DWORD access, DWORD share,
                                                  DWORD attributes);

}  // namespace vsm
