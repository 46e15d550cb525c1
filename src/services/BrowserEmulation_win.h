#pragma once
// The embedded browser renders as the installed Internet Explorer does only when the program is
// listed under FEATURE_BROWSER_EMULATION; without it the control falls back to IE 7's mode.
#include <string>

namespace vsm {

inline constexpr const wchar_t* kBrowserEmulationKey =
    L"SOFTWARE\\Microsoft\\Internet Explorer\\MAIN\\FeatureControl\\FEATURE_BROWSER_EMULATION";

// The major file version of "%programfiles%\internet explorer\IEXPLORE.EXE", 0 without it.
unsigned InstalledBrowserMajorVersion();

// Writes the emulation value for the installed version under the executable's file name
// (HKEY_LOCAL_MACHINE); other versions write nothing, errors are ignored.
void SetBrowserEmulation();

}  // namespace vsm
