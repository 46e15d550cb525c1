// The thread runtime linked into the program calls GetTickCount64, which Windows XP's kernel32
// lacks, so an exe that imports it does not start there. This object defines the import slot the
// runtime calls through, so the linker takes it instead of kernel32's import: the slot points to a
// function that uses GetTickCount64 where the system has it and widens GetTickCount elsewhere.
// It is linked into the executable itself, ahead of the runtime's archive.
#include <windows.h>

#include <atomic>

#include "base/TickCount.h"
#include "base/library_win.h"

namespace {

using TickCount64Fn = ULONGLONG(WINAPI*)();

std::atomic<uint64_t> widenedTicks{0};

ULONGLONG WINAPI WidenedTickCount() { return vsm::WidenTickCount(widenedTicks, GetTickCount()); }

// Bound on first use without a guarded static: the runtime's own locks may call in here. Threads
// that race bind the same function.
std::atomic<TickCount64Fn> boundTickCount{nullptr};

ULONGLONG WINAPI TickCount64() {
  TickCount64Fn function = boundTickCount.load();
  if (function == nullptr) {
    function = vsm::BindFunction<TickCount64Fn>(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64");
    if (function == nullptr) function = &WidenedTickCount;
    boundTickCount.store(function);
  }
  return function();
}

static_assert(std::atomic<uint64_t>::is_always_lock_free, "the tick state is read from every thread");

}  // namespace

extern "C" {
extern TickCount64Fn const tickCount64Import __asm__("__imp__GetTickCount64@0");
TickCount64Fn const tickCount64Import = &TickCount64;
}
