#pragma once
// Running a piece of code on the user-interface thread from a worker, and waiting for it: the
// way background requests hand their results to the windows.
#include <windows.h>

#include <functional>

namespace vsm {

// A hidden message-only window of the calling thread, made once per process and kept until it
// ends. Call it first on the user-interface thread (a worker's constructor does so).
HWND SynchronizeWindow();

// Runs `call` on the thread of `window` (from SynchronizeWindow) and returns when it is done;
// runs it at once when called on that thread. The thread must be running its message loop.
void Synchronize(HWND window, const std::function<void()>& call);

}  // namespace vsm
