#include "base/file_win.h"

#include <windows.h>

#include <algorithm>

#include "base/handle_win.h"

namespace vsm {

namespace {

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool WriteAll(HANDLE file, const std::vector<uint8_t>& bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - written, 1u << 20));
    DWORD done = 0;
    if (!WriteFile(file, bytes.data() + written, chunk, &done, nullptr) || done == 0) return false;
    written += done;
  }
  return FlushFileBuffers(file) != 0;
}

// A new, empty file beside `path` that no other file has the name of.
TKernelHandle CreateTemporaryBeside(const std::wstring& path, std::wstring& name) {
  static LONG counter = 0;
  for (int attempt = 0; attempt < 16; ++attempt) {
    name = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(InterlockedIncrement(&counter)) + L".tmp";
    TKernelHandle file(
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return {};
}

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
  const TKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::optional<std::vector<uint8_t>> result;
  LARGE_INTEGER size{};
  // Language and settings files are small; anything above 16 MB is not one of ours.
  if (GetFileSizeEx(file.Get(), &size) && size.QuadPart <= 16 * 1024 * 1024) {
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (bytes.empty() ||
        (ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
         read == bytes.size())) {
      result = std::move(bytes);
    }
  }
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

bool WriteFileReplacing(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  // A read-only file is not replaced (Wine's move would replace it where Windows refuses).
  const DWORD attributes = Attributes(path);
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    return false;
  }
  std::wstring temporary;
  TKernelHandle file = CreateTemporaryBeside(path, temporary);
  if (!file) return false;
  const bool written = WriteAll(file.Get(), bytes);
  file.Reset();  // closed before it is moved over the old file
  if (written &&
      MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

}  // namespace vsm
