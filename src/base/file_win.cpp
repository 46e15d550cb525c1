#include "base/file_win.h"

#include <windows.h>

namespace vsm {

namespace {

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

}  // namespace

bool FileExists(const std::wstring& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::vector<uint8_t>> result;
  LARGE_INTEGER size{};
  // Language and settings files are small; anything above 16 MB is not one of ours.
  if (GetFileSizeEx(file, &size) && size.QuadPart <= 16 * 1024 * 1024) {
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (bytes.empty() ||
        (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
         read == bytes.size())) {
      result = std::move(bytes);
    }
  }
  CloseHandle(file);
  return result;
}

std::wstring ParentFolder(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool ForceDirectories(const std::wstring& path) {
  std::wstring folder = path;
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  if (folder.empty() || DirectoryExists(folder)) return !folder.empty();
  const size_t slash = folder.find_last_of(L"\\/");
  if (slash != std::wstring::npos && slash > 0 && folder[slash - 1] != L':') {
    if (!ForceDirectories(folder.substr(0, slash))) return false;
  }
  return CreateDirectoryW(folder.c_str(), nullptr) || DirectoryExists(folder);
}

}  // namespace vsm
