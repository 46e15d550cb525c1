#include "software/EnvPath_win.h"

#include <windows.h>

#include "base/wide_win.h"

namespace vsm {

std::string ExpandEnvPath(std::string_view text, bool expandBackslashNames) {
  wchar_t* block = GetEnvironmentStringsW();
  if (block == nullptr) return std::string(text);
  // The block ends with an empty line; only its first characters are looked at.
  size_t length = 0;
  while (length < kEnvironmentBlockLimit &&
         !(block[length] == 0 && (length == 0 || block[length - 1] == 0))) {
    ++length;
  }
  std::string lines = Narrow(std::wstring_view(block, length));
  FreeEnvironmentStringsW(block);
  return ExpandEnvPath(text, expandBackslashNames, lines);
}

}  // namespace vsm
