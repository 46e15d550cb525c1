#pragma once
// Starts test_child.exe (beside the test binary) and ends it when the test is done.
#include <windows.h>

#include <string>

#include "base/module_path_win.h"

namespace vsm::test {

class ChildProcess {
 public:
  explicit ChildProcess(const std::wstring& arguments) {
    std::wstring command = L"\"" + Path() + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info_)) {
      CloseHandle(info_.hThread);
      WaitForInputIdle(info_.hProcess, 2000);
    } else {
      info_ = {};
    }
  }
  ~ChildProcess() {
    if (info_.hProcess == nullptr) return;
    TerminateProcess(info_.hProcess, 0);
    CloseHandle(info_.hProcess);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  static std::wstring Path() { return ExecutableFolder() + L"test_child.exe"; }
  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }
  bool WaitForExit(DWORD milliseconds) const {
    return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
  }

 private:
  PROCESS_INFORMATION info_ = {};
};

}  // namespace vsm::test
