#pragma once
// Libraries bound at run time. This program runs elevated, so it always loads a library by full
// path and never lets the default DLL search order (current folder, PATH) pick one for it.
#include <windows.h>

#include <string>

namespace vsm {

// folder + fileName; folder may end in a backslash or not. The library's own dependencies are
// looked for in its folder first. Null when the file is missing or does not load.
HMODULE LoadLibraryFromFolder(const std::wstring& folder, const wchar_t* fileName);

// The Windows system folder with a trailing backslash; a 32-bit process on 64-bit Windows gets
// the 32-bit libraries there through the file-system redirection.
std::wstring SystemFolder();

// A library of the system folder. Null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// A function of a loaded library as the pointer type the caller names; null without the library
// or the function.
template <typename Function>
Function BindFunction(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace vsm
