#include "services/BrowserEmulation_win.h"

#include <windows.h>

#include "base/module_path_win.h"
#include "services/AppConfig_win.h"
#include "services/BrowserEmulation.h"

namespace vsm {

unsigned InstalledBrowserMajorVersion() {
  wchar_t path[MAX_PATH * 2] = {};
  if (ExpandEnvironmentStringsW(L"%programfiles%\\internet explorer\\IEXPLORE.EXE", path, ARRAYSIZE(path)) ==
      0) {
    return 0;
  }
  return ReadFixedFileInfo(path).dwFileVersionMS >> 16;
}

void SetBrowserEmulation() {
  const auto value = BrowserEmulationValue(InstalledBrowserMajorVersion());
  if (!value) return;
  const std::wstring program = ExecutablePath();
  const std::wstring name = program.substr(program.find_last_of(L"\\/") + 1);
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kBrowserEmulationKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  const DWORD data = *value;
  RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
  RegCloseKey(key);
}

}  // namespace vsm
