#include "hardware/disk/StorageDevice_win.h"

namespace vsm {

TDevicePower TWinStorageDevice::PowerState() {
  BOOL on = TRUE;
  if (!GetDevicePowerState(handle_.Get(), &on)) return TDevicePower::Unknown;
  return on ? TDevicePower::On : TDevicePower::Sleeping;
}

TStorageReply TWinStorageDevice::Control(uint32_t code, const std::vector<uint8_t>& in,
                                         std::vector<uint8_t>& out) {
  DWORD returned = 0;
  // Some requests use one buffer for both directions; DeviceIoControl copies the input first.
  BOOL ok = DeviceIoControl(handle_.Get(), code, in.empty() ? nullptr : const_cast<uint8_t*>(in.data()),
                            static_cast<DWORD>(in.size()), out.empty() ? nullptr : out.data(),
                            static_cast<DWORD>(out.size()), &returned, nullptr);
  TStorageReply reply;
  reply.ok = ok != FALSE;
  reply.returned = returned;
  reply.error = reply.ok ? 0 : GetLastError();
  return reply;
}

std::unique_ptr<TStorageDevice> OpenStorageDevice(const std::wstring& path, DWORD access, DWORD share,
                                                  DWORD attributes) {
  HANDLE handle = CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, attributes, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<TWinStorageDevice>(handle);
}

}  // namespace vsm
