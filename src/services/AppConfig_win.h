#pragma once
// The settings record of this process and the settings file under the user's roaming
// application-data folder.
#include <string>
#include <vector>

#include "services/AppConfig.h"

namespace vsm {

extern TAppConfig AppConfig;

inline constexpr const char* kSetupClsid = "{1F25C9CF-D2E0-41C7-9EF0-3016E5040A63}";
inline constexpr const char* kSetupValueName = "VSM";

// The fixed version information of an executable file; all zero when it has none.
TFixedFileInfo ReadFixedFileInfo(const std::wstring& path);

// Application-data folder + "Vesk System Monitor", without a trailing backslash.
std::wstring SettingsFolder();
std::wstring SettingsFilePath();

// Reads the settings; false when their folder does not exist and cannot be made (the record then
// holds the defaults and the detected language).
bool LoadAppConfig();
// Writes the nine keys; failures leave everything as it was and are not reported.
void SaveAppConfig();

// Base names of the "Languages\*.ini" files beside the executable, in file-system order.
std::vector<std::string> ListLanguageFiles();
// The language that matches the user's interface language, else "English".
std::string DetectLanguage();

// The machine-wide setup identifier in HKEY_CLASSES_ROOT\CLSID\<clsid>, 64-bit view; created and
// stored when absent.
std::string GetSetupGUID(const std::string& clsid, const std::string& valueName);

}  // namespace vsm
