#pragma once
// The operating-system calls answered by the running Windows.
#include <memory>

#include "sysinfo/os/OperatingSystem.h"
#include "sysinfo/os/OsPlatform.h"

namespace vsm {

std::shared_ptr<const OsPlatform> WindowsOsPlatform();

// A new operating-system object on the running Windows, not yet refreshed.
std::unique_ptr<TOperatingSystem> CreateOperatingSystem();

}  // namespace vsm
