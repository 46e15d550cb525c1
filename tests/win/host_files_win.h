#pragma once
// Reads the Linux host's files (procfs, sysfs, /etc) through Wine's Z: drive, so that Wine tests
// can compare what Windows calls report with what the host itself says.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace vsm::test {

// The whole file; procfs and sysfs files report size 0, so it is read until the end.
inline std::optional<std::string> ReadHostFile(const std::string& linuxPath) {
  std::string path = "Z:" + linuxPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) content.append(chunk, read);
  CloseHandle(file);
  return content;
}

// Names in a host folder, without "." and "..".
inline std::vector<std::string> ListHostFolder(const std::string& linuxPath) {
  std::vector<std::string> names;
  std::string pattern = "Z:" + linuxPath + "/*";
  for (char& c : pattern) {
    if (c == '/') c = '\\';
  }
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = data.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

}  // namespace vsm::test
