#include <gtest/gtest.h>

#include <map>

#include "base/IniDocument.h"
#include "services/AppConfig.h"

namespace vsm {
namespace {

SettingsReader FileWith(std::map<std::string, std::string> keys) {
  return [keys](const char* key, const std::string& fallback) {
    auto found = keys.find(key);
    return found == keys.end() ? fallback : found->second;
  };
}

TEST(Settings, MissingFileGivesTheFirstStartDefaults) {
  TAppConfig config;
  ReadSettings(config, FileWith({}));
  EXPECT_TRUE(config.bAutoUpdate);
  EXPECT_TRUE(config.TopMost);
  EXPECT_TRUE(config.showFloat);
  EXPECT_EQ(config.TempUnit, "C");
  EXPECT_EQ(config.FloatX, -1);
  EXPECT_EQ(config.FloatY, -1);
  EXPECT_EQ(config.MsgIds, "");
  EXPECT_EQ(config.SetupVer, "");
}

TEST(Settings, ValuesAreReadByTheirRulesAndBadNumbersCountAsAbsent) {
  TAppConfig config;
  ReadSettings(config, FileWith({{"AutoUpdate", "0"},
                                 {"MSGIDs", ",12,13"},
                                 {"SetupVer", "1.53.127"},
                                 {"TmepUnit", "f"},
                                 {"TopMost", "7"},
                                 {"ShowFloat", "zz"},
                                 {"FloatX", "-1"},
                                 {"FloatY", "300"}}));
  EXPECT_FALSE(config.bAutoUpdate);
  EXPECT_EQ(config.MsgIds, ",12,13");
  EXPECT_EQ(config.SetupVer, "1.53.127");
  EXPECT_EQ(config.TempUnit, "f");  // kept as written; readers compare as they need
  EXPECT_TRUE(config.TopMost);      // any non-zero integer
  EXPECT_TRUE(config.showFloat);    // not an integer: the default
  EXPECT_EQ(config.FloatX, -1);
  EXPECT_EQ(config.FloatY, 300);

  ReadSettings(config, FileWith({{"FloatX", "12px"}, {"FloatY", "99999999999"}, {"AutoUpdate", ""}}));
  EXPECT_EQ(config.FloatX, -1);
  EXPECT_EQ(config.FloatY, -1);
  EXPECT_TRUE(config.bAutoUpdate);
}

TEST(Settings, WritesNineKeysInOrderAndReadsThemBack) {
  TAppConfig config;
  config.Lang = "German";
  config.bAutoUpdate = false;
  config.MsgIds = ",5";
  config.SetupVer = "1.00.1";
  config.TempUnit = "F";
  config.TopMost = true;
  config.showFloat = false;
  config.FloatX = -20;
  config.FloatY = 640;
  config.SetupGUID = "{never-written}";
  config.bFirstRun = true;
  const auto entries = SettingsEntries(config);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Language", "German"}, {"AutoUpdate", "0"}, {"MSGIDs", ",5"},
      {"SetupVer", "1.00.1"}, {"TmepUnit", "F"},   {"TopMost", "1"},
      {"ShowFloat", "0"},     {"FloatX", "-20"},   {"FloatY", "640"}};
  ASSERT_EQ(entries.size(), expected.size());
  std::map<std::string, std::string> file;
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].first, expected[i].first);
    EXPECT_EQ(entries[i].second, expected[i].second);
    file[entries[i].first] = entries[i].second;
  }
  TAppConfig reread;
  ReadSettings(reread, FileWith(file));
  EXPECT_EQ(reread.bAutoUpdate, config.bAutoUpdate);
  EXPECT_EQ(reread.TempUnit, config.TempUnit);
  EXPECT_EQ(reread.showFloat, config.showFloat);
  EXPECT_EQ(reread.FloatX, config.FloatX);
  EXPECT_EQ(reread.FloatY, config.FloatY);
}

// The file as one text, read back through the same INI rules the profile functions follow.
TEST(Settings, WholeFileHoldsEveryKeyAndNoValueAddsALine) {
  TAppConfig config;
  config.Lang = "Deutsch \u00C4";
  config.MsgIds = ",5\r\n[General]\r\nFloatX=99\n,6";  // a hostile news identifier
  config.TempUnit = "F";
  config.FloatX = -1;
  config.FloatY = 300;
  const std::string text = SettingsFileText(config);
  EXPECT_EQ(text.rfind("[General]\r\nLanguage=Deutsch \u00C4\r\nAutoUpdate=0\r\n", 0), 0u) << text;
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  const TIniDocument document = TIniDocument::Parse(text);
  TAppConfig reread;
  ReadSettings(reread, [&document](const char* key, const std::string& fallback) {
    const std::string value = document.Read("General", key);
    return value.empty() ? fallback : value;
  });
  EXPECT_EQ(document.Read("General", "Language"), config.Lang);
  EXPECT_EQ(reread.MsgIds, ",5[General]FloatX=99,6");
  EXPECT_EQ(reread.FloatX, -1);
  EXPECT_EQ(reread.FloatY, 300);
  EXPECT_EQ(reread.TempUnit, "F");
}

TEST(Settings, VersionTextHasNoPointBetweenMinorAndRelease) {
  TFixedFileInfo info;
  info.dwFileVersionMS = (1u << 16) | 5;
  info.dwFileVersionLS = (3u << 16) | 127;
  EXPECT_EQ(SetupVersionText(info), "1.53.127");
  EXPECT_EQ(SetupVersionText(TFixedFileInfo{}), "0.00.0");
}

}  // namespace
}  // namespace vsm
