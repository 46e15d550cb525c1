#include <gtest/gtest.h>

#include <map>

#include "base/text.h"
#include "services/Translation.h"

namespace vsm {
namespace {

std::vector<uint8_t> Utf16File(const std::string& text) {
  std::vector<uint8_t> bytes{0xFF, 0xFE};
  for (char16_t unit : Utf8ToUtf16(text)) {
    bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  return bytes;
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A language folder in memory.
struct Folder {
  std::map<std::string, std::vector<uint8_t>> files;
  LanguageFiles Access() {
    return {[this](const std::string& path) { return files.count(path) > 0; },
            [this](const std::string& path) -> std::optional<std::vector<uint8_t>> {
              auto found = files.find(path);
              if (found == files.end()) return std::nullopt;
              return found->second;
            }};
  }
};

constexpr const char* kDir = "C:\\Vesk\\Languages\\";

Folder StandardFolder() {
  Folder folder;
  folder.files[std::string(kDir) + "English.ini"] = Utf16File(
      "[Translation]\r\nLangCode=0409|0809|\r\nppmExit=Exit\r\nppmDetails=Details\r\n"
      "OnlyEnglish=From English\r\n[GUI]\r\nButtonYes=Yes\r\n");
  folder.files[std::string(kDir) + "Chinese.ini"] = Utf16File(
      "[Translation]\r\nLangCode=0804|0404\r\nDefaultCharSet=GB2312_CHARSET\r\nDefaultFont=宋体\r\n"
      "DefaultFontSize=9\r\nppmExit=退出\r\nppmDetails=\r\n");
  return folder;
}

TEST(Translation, LookupFallsBackToEnglishThenToTheBuiltInText) {
  Folder folder = StandardFolder();
  TTranslator translator(folder.Access());
  translator.SetLanguageFile(kDir, "Chinese");
  EXPECT_EQ(translator.GetLangText("Translation", "ppmExit", "Exit"), "退出");
  EXPECT_EQ(translator.GetLangText("translation", "PPMEXIT", "Exit"), "退出");  // no case
  // An empty value counts as missing.
  EXPECT_EQ(translator.GetLangText("Translation", "ppmDetails", "x"), "Details");
  EXPECT_EQ(translator.GetLangText("Translation", "OnlyEnglish", "x"), "From English");
  EXPECT_EQ(translator.GetLangText("Translation", "Nowhere", "Built in"), "Built in");
  EXPECT_EQ(translator.GetLangText("Message", "ppmExit", "Exit"), "Exit");
}

TEST(Translation, DeletedLanguageFileMeansEnglishAndMissingEnglishMeansBuiltIn) {
  Folder folder = StandardFolder();
  TTranslator translator(folder.Access());
  translator.SetLanguageFile(kDir, "Klingon");
  EXPECT_EQ(translator.LangFile(), std::string(kDir) + "English.ini");
  EXPECT_EQ(translator.GetLangText("GUI", "ButtonYes", "?"), "Yes");

  Folder empty;
  TTranslator bare(empty.Access());
  bare.SetLanguageFile(kDir, "English");
  EXPECT_EQ(bare.GetLangText("GUI", "ButtonYes", "Yes!"), "Yes!");
  EXPECT_EQ(bare.GetLangFontName(), "Tahoma");
  EXPECT_EQ(bare.GetLangFontSize(), 8);
  EXPECT_EQ(bare.GetLangCharset(1), 1);
}

TEST(Translation, ALanguageNameWithAFolderPartIsRefused) {
  for (const char* name : {"..\\..\\Evil", "../Evil", "sub\\Evil", "sub/Evil", "C:\\Evil",
                           "\\\\server\\share\\Evil", ".", "..", "", "Evil.ini:x", "Eng*", "English\n"}) {
    // The file the joined path names exists, as it would outside the folder on a real disk.
    Folder folder = StandardFolder();
    folder.files[std::string(kDir) + name + ".ini"] = Utf16File("[Translation]\r\nppmExit=Planted\r\n");
    TTranslator translator(folder.Access());
    translator.SetLanguageFile(kDir, name);
    EXPECT_EQ(translator.LangFile(), std::string(kDir) + "English.ini") << name;
    EXPECT_EQ(translator.GetLangText("Translation", "ppmExit", "?"), "Exit") << name;
    EXPECT_FALSE(IsPlainLanguageName(name)) << name;
  }
  for (const char* name : {"Chinese", "English", "Deutsch (Schweiz)", "中文", "my.language"}) {
    EXPECT_TRUE(IsPlainLanguageName(name)) << name;
  }
}

TEST(Translation, ALongTextIsCutBetweenTwoCharacters) {
  Folder folder = StandardFolder();
  std::string chinese;
  while (chinese.size() < 3 * kMaxLangTextBytes) chinese += "进程";
  folder.files[std::string(kDir) + "Long.ini"] =
      Utf16File("[Translation]\r\nTotalProcess=" + chinese +
                "\r\nShort=" + std::string(kMaxLangTextBytes, 'x') + "\r\n");
  TTranslator translator(folder.Access());
  translator.SetLanguageFile(kDir, "Long");
  const std::string cut = translator.GetLangText("Translation", "TotalProcess", "?");
  EXPECT_LE(cut.size(), kMaxLangTextBytes);
  EXPECT_GT(cut.size(), kMaxLangTextBytes - 3);
  EXPECT_TRUE(IsValidUtf8(cut));
  EXPECT_EQ(cut, chinese.substr(0, cut.size()));
  EXPECT_EQ(translator.GetLangText("Translation", "Short", "?"), std::string(kMaxLangTextBytes, 'x'));
}

TEST(Translation, SwitchingTwiceLeavesTheLastLanguage) {
  Folder folder = StandardFolder();
  TTranslator translator(folder.Access());
  translator.SetLanguageFile(kDir, "English");
  EXPECT_EQ(translator.GetLangText("Translation", "ppmExit", ""), "Exit");
  translator.SetLanguageFile(kDir, "Chinese");
  translator.ReloadLanguage();
  translator.SetLanguageFile(kDir, "English");
  translator.ReloadLanguage();
  EXPECT_EQ(translator.GetLangText("Translation", "ppmExit", ""), "Exit");
  translator.SetLanguageFile(kDir, "Chinese");
  translator.ReloadLanguage();
  EXPECT_EQ(translator.GetLangText("Translation", "ppmExit", ""), "退出");
}

TEST(Translation, FileInTheWrongEncodingIsIgnored) {
  Folder folder = StandardFolder();
  // UTF-16 big-endian and Latin-1 bytes: not a language file of ours.
  folder.files[std::string(kDir) + "BigEndian.ini"] = {0xFE, 0xFF, 0x00, '[', 0x00, 'X', 0x00, ']'};
  folder.files[std::string(kDir) + "Latin1.ini"] = Bytes(
      "[Translation]\nppmExit=Schlie\xDF"
      "en\n");
  folder.files[std::string(kDir) + "Utf8.ini"] = Bytes("\xEF\xBB\xBF[Translation]\nppmExit=Beenden\n");
  for (const char* name : {"BigEndian", "Latin1"}) {
    TTranslator translator(folder.Access());
    translator.SetLanguageFile(kDir, name);
    EXPECT_EQ(translator.GetLangText("Translation", "ppmExit", "?"), "Exit") << name;
  }
  TTranslator utf8(folder.Access());
  utf8.SetLanguageFile(kDir, "Utf8");
  EXPECT_EQ(utf8.GetLangText("Translation", "ppmExit", "?"), "Beenden");
}

TEST(Translation, FontComesFromTheCurrentFile) {
  Folder folder = StandardFolder();
  TTranslator translator(folder.Access());
  translator.SetLanguageFile(kDir, "Chinese");
  EXPECT_EQ(translator.GetLangFontName(), "宋体");
  EXPECT_EQ(translator.GetLangFontSize(), 9);
  EXPECT_EQ(translator.GetLangCharset(1), 134);
  translator.SetLanguageFile(kDir, "English");
  EXPECT_EQ(translator.GetLangFontName(), "Tahoma");
  EXPECT_EQ(translator.GetLangCharset(1), 0);  // the file exists: "ANSI_CHARSET" by default
  EXPECT_EQ(CharsetFromName("NO_SUCH_CHARSET", 1), 1);
}

TEST(Translation, DetectionMatchesTheInterfaceLanguageAgainstLangCode) {
  Folder folder = StandardFolder();
  const std::vector<std::string> names = {"English", "Chinese", "Vanished"};
  EXPECT_EQ(DetectLanguage(0x0404, names, kDir, folder.Access()), "Chinese");
  EXPECT_EQ(DetectLanguage(0x0804, names, kDir, folder.Access()), "Chinese");
  EXPECT_EQ(DetectLanguage(0x0809, names, kDir, folder.Access()), "English");
  EXPECT_EQ(DetectLanguage(0x0407, names, kDir, folder.Access()), "English");
  EXPECT_EQ(DetectLanguage(0x0404, {}, kDir, folder.Access()), "English");
  EXPECT_EQ(ParseLangCodes("0409|0809|"), (std::vector<std::string>{"0409", "0809"}));
  EXPECT_EQ(ParseLangCodes("0C04|"), (std::vector<std::string>{"0c04"}));
}

}  // namespace
}  // namespace vsm
