#include "services/AppConfig_win.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "services/Translation_win.h"
#include "platform/VeskRegistry_win.h"
#include "base/file_win.h"
#include "base/module_path_win.h"
#include "base/version_resource_win.h"
#include "base/wide_win.h"

namespace vsm {

TAppConfig AppConfig;

namespace {

std::wstring ReadProfileText(const std::wstring& file, const char* key, const std::string& fallback) {
  // Long enough for any value of ours; a longer one is cut, never overrun.
  std::wstring buffer(4096, L'\0');
  const std::wstring fallbackWide = Widen(fallback);
  const DWORD length = GetPrivateProfileStringW(Widen(kSettingsSection).c_str(), Widen(key).c_str(),
                                                fallbackWide.c_str(), buffer.data(),
                                                static_cast<DWORD>(buffer.size()), file.c_str());
  buffer.resize(length);
  return buffer;
}

// A new settings file starts as UTF-16 with its byte-order mark, so that the profile functions
// keep it in Unicode and no character of a value is lost.
bool CreateUnicodeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
  static const uint8_t kMark[2] = {0xFF, 0xFE};
  DWORD written = 0;
  const bool ok = WriteFile(file, kMark, sizeof kMark, &written, nullptr) && written == sizeof kMark;
  CloseHandle(file);
  return ok;
}

}  // namespace

TFixedFileInfo ReadFixedFileInfo(const std::wstring& path) {
  TFixedFileInfo info;
  const std::vector<uint8_t> resource = ReadVersionResource(path);
  // The first eleven dwords, as they stand in the resource.
  static_assert(sizeof info <= sizeof(VS_FIXEDFILEINFO));
  if (const VS_FIXEDFILEINFO* fixed = FixedFileInfo(resource)) memcpy(static_cast<void*>(&info), fixed, sizeof info);
  return info;
}

std::wstring SettingsFolder() {
  wchar_t appData[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) {
    return {};
  }
  std::wstring folder = appData;
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder + Widen(kSettingsFolderName);
}

std::wstring SettingsFilePath() { return SettingsFolder() + L"\\" + Widen(kSettingsFileName); }

std::vector<std::string> ListLanguageFiles() {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((Widen(LanguagesFolder()) + L"*.ini").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    if (name.size() > 4) names.push_back(Narrow(name.substr(0, name.size() - 4)));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::string DetectLanguage() {
  return DetectLanguage(GetUserDefaultUILanguage(), ListLanguageFiles(), LanguagesFolder(),
                        LanguageFiles{[](const std::string& path) { return FileExists(Widen(path)); },
                                      [](const std::string& path) { return ReadWholeFile(Widen(path)); }});
}

std::string GetSetupGUID(const std::string& clsid, const std::string& valueName) {
  const std::string path = "CLSID\\" + clsid;
  std::string text;
  ReadRegString(HKEY_CLASSES_ROOT, path, valueName, true, text);
  if (!text.empty()) return text;
  GUID guid{};
  if (FAILED(CoCreateGuid(&guid))) return text;
  text = FormatGuidText(guid.Data1, guid.Data2, guid.Data3, guid.Data4);
  TVeskRegistry registry(RegAccess(path, false, true));
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  if (registry.OpenKey(path, true)) registry.WriteString(valueName, text);
  return text;
}

bool LoadAppConfig() {
  AppConfig.AppInfo = ReadFixedFileInfo(ExecutablePath());
  const std::wstring folder = SettingsFolder();
  if (!DirectoryExists(folder)) {
    AppConfig.Lang = DetectLanguage();
    if (folder.empty() || !ForceDirectories(folder)) return false;
    AppConfig.bFirstRun = true;
  }
  const std::wstring file = SettingsFilePath();
  AppConfig.Lang = Narrow(ReadProfileText(file, "Language", ""));
  if (AppConfig.Lang.empty()) AppConfig.Lang = DetectLanguage();
  SetLanguageFile(AppConfig.Lang);
  ReadSettings(AppConfig, [&file](const char* key, const std::string& fallback) {
    return Narrow(ReadProfileText(file, key, fallback));
  });
  AppConfig.SetupGUID = GetSetupGUID(kSetupClsid, kSetupValueName);
  return true;
}

void SaveAppConfig() {
  const std::wstring folder = SettingsFolder();
  if (folder.empty() || !ForceDirectories(folder)) return;
  const std::wstring file = SettingsFilePath();
  if (!CreateUnicodeFile(file)) return;
  const std::wstring section = Widen(kSettingsSection);
  for (const auto& [key, value] : SettingsEntries(AppConfig)) {
    WritePrivateProfileStringW(section.c_str(), Widen(key).c_str(), Widen(value).c_str(),
                               file.c_str());
  }
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());  // flush the cache
}

}  // namespace vsm
