#pragma once
// The settings record and the rules by which it is read from and written to the settings file.
// The file access itself (profile functions, folders) is in AppConfig_win.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vsm {

// The first 44 bytes of an executable's fixed version information, as eleven dwords.
struct TFixedFileInfo {
  uint32_t dwSignature = 0;
  uint32_t dwStrucVersion = 0;
  uint32_t dwFileVersionMS = 0;
  uint32_t dwFileVersionLS = 0;
  uint32_t dwProductVersionMS = 0;
  uint32_t dwProductVersionLS = 0;
  uint32_t dwFileFlagsMask = 0;
  uint32_t dwFileFlags = 0;
  uint32_t dwFileOS = 0;
  uint32_t dwFileType = 0;
  uint32_t dwFileSubtype = 0;
};
static_assert(sizeof(TFixedFileInfo) == 44);

struct TAppConfig {
  TFixedFileInfo AppInfo;
  std::string Lang;
  bool bAutoUpdate = false;
  bool bFirstRun = false;
  std::string MsgIds;
  std::string SetupVer;
  std::string SetupGUID;
  std::string TempUnit;
  bool showFloat = false;
  bool TopMost = false;
  int32_t FloatX = 0;
  int32_t FloatY = 0;
};

inline constexpr const char* kSettingsFolderName = "Vesk System Monitor";
inline constexpr const char* kSettingsFileName = "VeskSystemMonitor.ini";
inline constexpr const char* kSettingsSection = "General";

// The version text the install report and "SetupVer" use: major "." minor release "." build,
// with no point between minor and release (1.5.3.127 gives "1.53.127").
std::string SetupVersionText(const TFixedFileInfo& info);

// Reads one key of section "General": the stored text, or `fallback` when the key is absent.
using SettingsReader = std::function<std::string(const char* key, const std::string& fallback)>;

// Reads every key after "Language" into the record, in file order, with the defaults of a missing
// file: "AutoUpdate" and "FloatX"/"FloatY" text that is no integer counts as absent.
void ReadSettings(TAppConfig& config, const SettingsReader& read);

// The nine keys and their texts, in the order they are written.
std::vector<std::pair<const char*, std::string>> SettingsEntries(const TAppConfig& config);

// The whole settings file: section "General" with the nine keys, one per line, lines ended by CR
// LF. A line break inside a value (a news identifier comes from a server) is dropped, so no value
// can add a line of its own.
std::string SettingsFileText(const TAppConfig& config);

}  // namespace vsm
