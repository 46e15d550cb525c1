#pragma once
// The software engine wired to this machine: Windows process, memory and CPU calls, and the
// network-filter driver handed out by the driver-manager library; without it, per-process traffic
// from the kernel's network events and blocking through the filtering platform, where they work.
#include <windows.h>

#include <memory>

#include "software/Software.h"
#include "software/SoftwarePlatform.h"

namespace vsm {

// Sent (synchronously) to the notification window after every sample; wParam is the engine.
inline constexpr UINT kSoftwareSampledMessage = 3129;

// The program's engine, created by the hidden main form and kept until the process ends.
extern std::unique_ptr<TSoftware> Software;

std::unique_ptr<SoftwarePlatform> CreateWindowsSoftwarePlatform();
std::unique_ptr<TSoftware> CreateSoftware();
// For StartAsynTimer: sends kSoftwareSampledMessage to the window.
TSoftwareNotify NotifyWindow(HWND window);

}  // namespace vsm
