#pragma once
// Loading libraries by full path. This program runs elevated, so it never lets the default DLL
// search order (current folder, PATH) pick a library for it.
#include <windows.h>

#include <string>

namespace vsm {

// folder + fileName; folder may end in a backslash or not. The library's own dependencies are
// looked for in its folder first. Nothing when the file is missing or does not load.
HMODULE LoadLibraryFromFolder(const std::wstring& folder, const wchar_t* fileName);

// The Windows system folder with a trailing backslash; a 32-bit process on 64-bit Windows gets
// the 32-bit libraries there through the file-system redirection.
std::wstring SystemFolder();

}  // namespace vsm
