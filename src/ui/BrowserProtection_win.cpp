// The feature controls came with Internet Explorer 6 on Windows XP SP2, the oldest system this
// program runs on; the headers declare them only from that level. The call is bound at run time.
#ifndef _WIN32_IE
#define _WIN32_IE 0x0603
#endif

#include "ui/BrowserProtection_win.h"

#include <windows.h>
#include <urlmon.h>

#include <string>

#include "base/library_win.h"
#include "base/module_path_win.h"

namespace vsm {

namespace {

// Blocking script in the local machine zone is a feature control of the registry only, read for
// the executable's file name when the engine starts.
void BlockLocalMachineScript() {
  const std::wstring program = ExecutablePath();
  const std::wstring name = program.substr(program.find_last_of(L"\\/") + 1);
  HKEY key = nullptr;
  if (RegCreateKeyExW(
          HKEY_CURRENT_USER,
          L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BLOCK_LMZ_SCRIPT", 0,
          nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  const DWORD on = 1;
  RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
  RegCloseKey(key);
}

}  // namespace

void ApplyBrowserProtections() {
  static const bool applied = [] {
    BlockLocalMachineScript();
    using SetFeatureFn = HRESULT(WINAPI*)(INTERNETFEATURELIST, DWORD, BOOL);
    // From Internet Explorer 6 on Windows XP SP2; older engines have none of these.
    const auto setFeature =
        BindFunction<SetFeatureFn>(LoadSystemLibrary(L"urlmon.dll"), "CoInternetSetFeatureEnabled");
    if (setFeature == nullptr) return false;
    for (INTERNETFEATURELIST feature : {FEATURE_LOCALMACHINE_LOCKDOWN, FEATURE_ZONE_ELEVATION,
                                        FEATURE_RESTRICT_ACTIVEXINSTALL, FEATURE_RESTRICT_FILEDOWNLOAD}) {
      setFeature(feature, SET_FEATURE_ON_PROCESS, TRUE);
    }
    return true;
  }();
  (void)applied;
}

}  // namespace vsm
