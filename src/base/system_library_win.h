#pragma once
// Loads a Windows library from the system folder by full path. The program runs elevated, so
// system libraries bound at run time are never looked up through the default search order.
#include <windows.h>

namespace vsm {

// Null when the library cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// A function of a loaded library as the pointer type the caller names.
template <typename Function>
Function BindFunction(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace vsm
