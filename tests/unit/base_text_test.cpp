#include <gtest/gtest.h>

#include "base/text.h"

namespace vsm {
namespace {

TEST(Text, Utf16RoundTripKeepsEveryPlane) {
  const std::string samples[] = {"English", "Deutsch \xC3\xBC\xC3\x9F", "\xE4\xB8\xAD\xE6\x96\x87",
                                 "\xF0\x9F\x98\x80 emoji"};
  for (const auto& sample : samples) EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(sample)), sample);
}

TEST(Text, BrokenInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToUtf16("\xC3"), std::u16string(1, char16_t(0xFFFD)));
  EXPECT_EQ(Utf8ToUtf16("a\xE4\xB8"
                        "b"),
            (std::u16string{u'a', char16_t(0xFFFD), u'b'}));
}

TEST(Text, DecodeUtf16LeFileNeedsBomAndEvenLength) {
  EXPECT_EQ(DecodeUtf16LeFile({0xFF, 0xFE, 'A', 0, 0x2D, 0x4E}), "A\xE4\xB8\xAD");
  EXPECT_FALSE(DecodeUtf16LeFile({'A', 0, 'B', 0}).has_value());
  EXPECT_FALSE(DecodeUtf16LeFile({0xFF, 0xFE, 'A'}).has_value());
  EXPECT_FALSE(DecodeUtf16LeFile({}).has_value());
}

TEST(Text, ParseIntegerAcceptsOnlyWholeNumbers) {
  struct Case {
    const char* text;
    std::optional<int64_t> value;
  } cases[] = {{"12", 12},
               {" -1 ", -1},
               {"+7", 7},
               {"", std::nullopt},
               {"1.5", std::nullopt},
               {"abc", std::nullopt},
               {"12abc", std::nullopt},
               {"-", std::nullopt},
               {"9223372036854775807", INT64_MAX},
               {"9223372036854775808", std::nullopt},
               {"-9223372036854775808", INT64_MIN}};
  for (const auto& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << c.text;
}

TEST(Text, CaseFoldingIsAsciiOnly) {
  EXPECT_TRUE(EqualsNoCase("EXPLORER.exe", "explorer.EXE"));
  EXPECT_TRUE(ContainsNoCase("Software\\WOW6432Node\\x", "wow6432node"));
  EXPECT_EQ(Split("0804|1004|", '|'), (std::vector<std::string>{"0804", "1004", ""}));
}

}  // namespace
}  // namespace vsm
