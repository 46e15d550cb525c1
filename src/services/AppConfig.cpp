#include "services/AppConfig.h"

#include "base/text.h"

namespace vsm {

namespace {

// An integer-valued key: the stored text if it is a whole number that fits, else the default.
int64_t ReadInteger(const SettingsReader& read, const char* key, int64_t fallback, int64_t low,
                    int64_t high) {
  auto number = ParseInteger(read(key, ""));
  if (!number || *number < low || *number > high) return fallback;
  return *number;
}

int32_t ReadInt32(const SettingsReader& read, const char* key, int32_t fallback) {
  return static_cast<int32_t>(ReadInteger(read, key, fallback, INT32_MIN, INT32_MAX));
}

bool ReadBool(const SettingsReader& read, const char* key, bool fallback) {
  return ReadInteger(read, key, fallback ? 1 : 0, INT32_MIN, INT32_MAX) != 0;
}

std::string BoolText(bool value) { return value ? "1" : "0"; }

}  // namespace

std::string SetupVersionText(const TFixedFileInfo& info) {
  return Format("%u.%u%u.%u", info.dwFileVersionMS >> 16, info.dwFileVersionMS & 0xFFFF,
                info.dwFileVersionLS >> 16, info.dwFileVersionLS & 0xFFFF);
}

void ReadSettings(TAppConfig& config, const SettingsReader& read) {
  config.bAutoUpdate = ReadBool(read, "AutoUpdate", true);
  config.MsgIds = read("MSGIDs", "");
  config.SetupVer = read("SetupVer", "");
  config.TempUnit = read("TmepUnit", "C");
  config.TopMost = ReadBool(read, "TopMost", true);
  config.showFloat = ReadBool(read, "ShowFloat", true);
  config.FloatX = ReadInt32(read, "FloatX", -1);
  config.FloatY = ReadInt32(read, "FloatY", -1);
}

std::vector<std::pair<const char*, std::string>> SettingsEntries(const TAppConfig& config) {
  return {
      {"Language", config.Lang},
      {"AutoUpdate", BoolText(config.bAutoUpdate)},
      {"MSGIDs", config.MsgIds},
      {"SetupVer", config.SetupVer},
      {"TmepUnit", config.TempUnit},
      {"TopMost", BoolText(config.TopMost)},
      {"ShowFloat", BoolText(config.showFloat)},
      {"FloatX", std::to_string(config.FloatX)},
      {"FloatY", std::to_string(config.FloatY)},
  };
}

std::string SettingsFileText(const TAppConfig& config) {
  std::string text = std::string("[") + kSettingsSection + "]\r\n";
  for (const auto& [key, value] : SettingsEntries(config)) {
    text += key;
    text += '=';
    for (char c : value) {
      if (c != '\r' && c != '\n') text += c;
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace vsm
