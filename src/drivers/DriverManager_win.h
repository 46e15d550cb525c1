#pragma once
// Opens a driver channel through the driver-manager library DManager.dll.
//
// The library is loaded from the executable's own folder by full path, never through the default
// DLL search order: this program runs elevated and must not load a DLL planted in the current
// folder or on PATH. See docs/driver-manager.md for the library's calling convention.
#include <memory>

#include "drivers/driver_channel.h"

namespace vsm {

// Always returns a channel; it is closed (IsOpen() false) when the library, its export or the
// driver is missing.
std::unique_ptr<DriverChannel> OpenDriverChannel(DriverKind kind);

// A channel that sends every request as DeviceIoControl on a device handle (a HANDLE), which it
// owns and closes; INVALID_HANDLE_VALUE or null gives a closed channel.
std::unique_ptr<DriverChannel> DeviceHandleChannel(void* device);

}  // namespace vsm
