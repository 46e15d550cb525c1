#include <gtest/gtest.h>

#include "app/InstallReport.h"
#include "platform/RegistryRules.h"

namespace vsm {
namespace {

TEST(RegistryRules, AccessMaskAddsTheViewOnlyForA32BitProcessOn64BitWindows) {
  struct Case {
    const char* path;
    bool readOnly, useView;
    TRegistryPlatform platform;
    uint32_t mask;
  } cases[] = {
      {"CLSID\\{X}", true, true, {true, 10, 0}, 0x20119},
      {"CLSID\\{X}", false, true, {true, 6, 1}, 0xF013F},
      {"CLSID\\{X}", true, false, {true, 10, 0}, 0x20019},
      {"CLSID\\{X}", true, true, {false, 10, 0}, 0x20019},
      {"SOFTWARE\\Wow6432Node\\X", true, true, {true, 6, 0}, 0x20219},
      {"SOFTWARE\\WOW6432NODE\\X", true, true, {true, 5, 2}, 0x20219},
      {"SOFTWARE\\Wow6432Node\\X", true, true, {true, 6, 1}, 0x20119},
      {"SOFTWARE\\Wow6432Node\\X", false, true, {false, 6, 0}, 0xF003F},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RegAccessMask(c.path, c.readOnly, c.useView, c.platform), c.mask)
        << c.path << " " << c.platform.major << "." << c.platform.minor;
  }
}

TEST(RegistryRules, ValuesBecomeTextByTheirType) {
  const std::vector<uint8_t> sz = {'a', 0, '%', 0, 'b', 0, '%', 0, 0, 0};
  const std::vector<uint8_t> binary = {0x01, 0x0A, 0xFF};
  const std::vector<uint8_t> dword = {0x78, 0x56, 0x34, 0x12};
  const std::vector<uint8_t> qword = {0, 0, 0, 0, 1, 0, 0, 0};
  struct Case {
    uint32_t type;
    const std::vector<uint8_t>& data;
    bool prefix;
    const char* text;
  } cases[] = {
      {kRegSz, sz, false, "a%b%"},
      {kRegSz, sz, true, "a%b%"},
      {kRegExpandSz, sz, false, "a%b%"},
      {kRegExpandSz, sz, true, "hex(2):61,00,25,00,62,00,25,00,00,00"},
      {kRegDword, dword, false, "305419896"},
      {kRegDword, dword, true, "dword:12345678"},
      {kRegDwordBigEndian, dword, false, "305419896"},
      {kRegDwordBigEndian, dword, true, "hex(5):78,56,34,12"},
      {kRegQword, qword, false, "4294967296"},
      {kRegQword, qword, true, "hex(b):00,00,00,00,01,00,00,00"},
      {kRegBinary, binary, false, "01,0A,FF"},
      {kRegBinary, binary, true, "hex(3):01,0A,FF"},
      {kRegMultiSz, binary, false, "01,0A,FF"},
      {kRegNone, {}, false, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RegDataToString(c.type, c.data.data(), c.data.size(), c.prefix), c.text)
        << c.type << (c.prefix ? " prefixed" : "");
  }
}

TEST(RegistryRules, KeyPathsAreFromTheRootOrBelowTheCurrentKey) {
  auto fromRoot = ResolveKeyPath("Software\\A", true, "\\System\\B");
  EXPECT_FALSE(fromRoot.fromCurrentKey);
  EXPECT_EQ(fromRoot.openPath, "System\\B");
  EXPECT_EQ(fromRoot.fullPath, "System\\B");
  auto relative = ResolveKeyPath("Software\\A", true, "Sub");
  EXPECT_TRUE(relative.fromCurrentKey);
  EXPECT_EQ(relative.openPath, "Sub");
  EXPECT_EQ(relative.fullPath, "Software\\A\\Sub");
  auto noKey = ResolveKeyPath("", false, "CLSID\\{X}");
  EXPECT_FALSE(noKey.fromCurrentKey);
  EXPECT_EQ(noKey.fullPath, "CLSID\\{X}");
}

TEST(RegistryRules, GuidTextIs38UpperCaseCharactersInBraces) {
  const uint8_t tail[8] = {0x9E, 0xF0, 0x30, 0x16, 0xE5, 0x04, 0x0A, 0x63};
  EXPECT_EQ(FormatGuidText(0x1F25C9CF, 0xD2E0, 0x41C7, tail), "{1F25C9CF-D2E0-41C7-9EF0-3016E5040A63}");
}

TEST(InstallReport, FormIsUrlEncodedInItsFieldOrder) {
  EXPECT_EQ(InstallReportBody(6, "1.53.127", "{1F25C9CF-D2E0-41C7-9EF0-3016E5040A63}"),
            "product_ver=1.53.127&product_id=6&gu_id=%7B1F25C9CF-D2E0-41C7-9EF0-3016E5040A63%7D");
  EXPECT_EQ(UrlEncodeFormValue("a b&c=d/é"), "a+b%26c%3Dd%2F%C3%A9");
}

}  // namespace
}  // namespace vsm
