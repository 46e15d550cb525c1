#include "base/library_win.h"

#include <vector>

namespace vsm {

HMODULE LoadLibraryFromFolder(const std::wstring& folder, const wchar_t* fileName) {
  if (folder.empty()) return nullptr;
  std::wstring path = folder;
  if (path.back() != L'\\' && path.back() != L'/') path += L'\\';
  path += fileName;
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

std::wstring SystemFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  UINT length = GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length = GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
  }
  if (length == 0 || length >= buffer.size()) return {};
  std::wstring folder(buffer.data(), length);
  if (folder.back() != L'\\') folder += L'\\';
  return folder;
}

HMODULE LoadSystemLibrary(const wchar_t* fileName) { return LoadLibraryFromFolder(SystemFolder(), fileName); }

}  // namespace vsm
