#include "services/AppConfig_win.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "base/file_win.h"
#include "base/handle_win.h"
#include "base/module_path_win.h"
#include "base/version_resource_win.h"
#include "base/wide_win.h"
#include "platform/VeskRegistry_win.h"
#include "services/Translation_win.h"

namespace vsm {

TAppConfig AppConfig;

namespace {

std::wstring ReadProfileText(const std::wstring& file, const char* key, const std::string& fallback) {
  // Long enough for any value of ours; a longer one is cut, never overrun.
  std::wstring buffer(4096, L'\0');
  const std::wstring fallbackWide = Widen(fallback);
  const DWORD length =
      GetPrivateProfileStringW(Widen(kSettingsSection).c_str(), Widen(key).c_str(), fallbackWide.c_str(),
                               buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
  buffer.resize(length);
  return buffer;
}

}  // namespace

TFixedFileInfo ReadFixedFileInfo(const std::wstring& path) {
  TFixedFileInfo info;
  const std::vector<uint8_t> resource = ReadVersionResource(path);
  // The first eleven dwords, as they stand in the resource.
  static_assert(sizeof info <= sizeof(VS_FIXEDFILEINFO));
  if (const VS_FIXEDFILEINFO* fixed = FixedFileInfo(resource))
    memcpy(static_cast<void*>(&info), fixed, sizeof info);
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
  const TFindHandle search(FindFirstFileW((Widen(LanguagesFolder()) + L"*.ini").c_str(), &found));
  if (!search) return names;
  do {
    std::wstring name = found.cFileName;
    if (name.size() > 4) names.push_back(Narrow(name.substr(0, name.size() - 4)));
  } while (FindNextFileW(search.Get(), &found));
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
  // UTF-16 with its byte-order mark, which the profile functions read without loss, written
  // whole beside the old file and then put in its place: a crash or power loss mid-write leaves
  // the old file, never half of one.
  const std::wstring text = Widen(SettingsFileText(AppConfig));
  std::vector<uint8_t> bytes{0xFF, 0xFE};
  for (wchar_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
  }
  WriteFileReplacing(SettingsFilePath(), bytes);
}

}  // namespace vsm
