#pragma once
// Where the running executable lives: language files and the driver-manager library are taken
// from its folder only.
#include <string>

namespace vsm {

std::wstring ExecutablePath();
// The executable's folder with a trailing backslash.
std::wstring ExecutableFolder();

}  // namespace vsm
