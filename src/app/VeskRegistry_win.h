#pragma once
// Registry reads through the program's registry wrapper.
#include <windows.h>

#include <string>

namespace vsm {

// Reads value `name` of key `path` under `root` as text; with `useView` the 32-bit program
// reads the 64-bit registry view on 64-bit Windows. False, with empty text, on failure.
bool ReadRegString(HKEY root, const std::string& path, const std::string& name, bool useView,
                   std::string& text);

}  // namespace vsm
