#pragma once
// Starting a program as the signed-in user rather than as this elevated process: the shell's
// desktop window (in Explorer's process, with the user's own rights) is asked to run it, as if the
// user had started it there.
#include <string>

namespace vsm {

// Runs `file` with `parameters` through the desktop's shell view with the "open" verb. False when
// there is no such shell to ask (no Explorer desktop) or it refused.
bool ShellExecuteFromDesktop(const std::wstring& file, const std::wstring& parameters);

// Whether this process runs with an elevated token (Vista and later; false on older systems).
bool ProcessIsElevated();

}  // namespace vsm
