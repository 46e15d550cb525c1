#pragma once
#include <windows.h>

namespace vsm {

// The program's entry routine: single-instance hand-over, relaunch parameter, mutex, the hidden
// main form and the message loop. Returns the process exit code.
int RunEntryRoutine(HINSTANCE instance);

}  // namespace vsm
