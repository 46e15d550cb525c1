#pragma once
// Makes the shell open web addresses with test_child.exe, which writes each address it is given
// into a file, instead of a browser; the previous handlers come back when the test is done.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ChildProcess_win.h"
#include "base/file_win.h"

namespace vsm::test {

class ShellOpenRecorder {
 public:
  ShellOpenRecorder() {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    file_ = std::wstring(folder) + L"vsm_shell_open_" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    DeleteFileW(file_.c_str());
    const std::wstring command = L"\"" + ChildProcess::Path() + L"\" record \"" + file_ + L"\" \"%1\"";
    for (const wchar_t* scheme : {L"http", L"https"}) {
      const std::wstring key = std::wstring(L"Software\\Classes\\") + scheme + L"\\shell\\open\\command";
      saved_.push_back({key, Read(key)});
      Write(key, command);
    }
  }
  ~ShellOpenRecorder() {
    for (const auto& [key, value] : saved_) {
      if (value)
        Write(key, *value);
      else
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr);
    }
    DeleteFileW(file_.c_str());
  }
  ShellOpenRecorder(const ShellOpenRecorder&) = delete;
  ShellOpenRecorder& operator=(const ShellOpenRecorder&) = delete;

  // The addresses opened so far, waiting up to `timeoutMs` for at least `expected` of them (to
  // see that nothing is opened, wait for one).
  std::vector<std::string> Opened(size_t expected, DWORD timeoutMs = 10000) const {
    const DWORD start = GetTickCount();
    for (;;) {
      std::vector<std::string> lines;
      if (auto bytes = ReadWholeFile(file_)) {
        std::string line;
        for (uint8_t byte : *bytes) {
          if (byte == '\n') {
            lines.push_back(line);
            line.clear();
          } else {
            line += static_cast<char>(byte);
          }
        }
      }
      if (lines.size() >= expected || GetTickCount() - start > timeoutMs) return lines;
      Sleep(100);
    }
  }

 private:
  static std::optional<std::wstring> Read(const std::wstring& key) {
    wchar_t value[2048] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    return std::wstring(value);
  }
  static void Write(const std::wstring& key, const std::wstring& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                        nullptr) == ERROR_SUCCESS) {
      RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
      RegCloseKey(handle);
    }
  }

  std::wstring file_;
  std::vector<std::pair<std::wstring, std::optional<std::wstring>>> saved_;
};

}  // namespace vsm::test
