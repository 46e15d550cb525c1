#include "platform/RedirectedPath_win.h"

#include <windows.h>

#include <vector>

#include "base/wide_win.h"
#include "platform/Is64BitWindows_win.h"
#include "platform/RedirectedPath.h"

namespace vsm {

std::wstring NativeFilePath(const std::wstring& path) {
  if (!Is64BitWindows()) return path;
  std::vector<wchar_t> folder(MAX_PATH + 1);
  const UINT length = GetSystemWindowsDirectoryW(folder.data(), MAX_PATH);
  if (length == 0 || length > MAX_PATH) return path;
  const std::wstring native = Widen(SysnativePath(Narrow(path), Narrow(std::wstring(folder.data(), length))));
  // XP x64 has no Sysnative without an update; the redirected path is all there is then.
  return GetFileAttributesW(native.c_str()) == INVALID_FILE_ATTRIBUTES ? path : native;
}

}  // namespace vsm
