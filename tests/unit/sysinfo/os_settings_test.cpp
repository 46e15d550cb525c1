#include <gtest/gtest.h>

#include "fake_os_platform.h"
#include "sysinfo/os/LocaleInfo.h"
#include "sysinfo/os/NtSpecific.h"
#include "sysinfo/os/VistaSpecific.h"

namespace vsm {
namespace {

TEST(TLocaleInfo, TextsAndFirstCharacterNumbers) {
  test::FakeOsPlatform platform;
  platform.locale = {{2, "Deutsch (Deutschland)"},
                     {4097, "German"},
                     {3, "DEU"},
                     {5, "49"},
                     {6, "Deutschland"},
                     {7, "DEU"},
                     {12, ";"},
                     {13, "0"},
                     {14, ","},
                     {15, "."},
                     {17, "2"},
                     {20, "€"},
                     {21, "EUR"},
                     {22, ","},
                     {23, "."},
                     {25, "2"},
                     {27, "3"},
                     {28, "12"},
                     {29, "."},
                     {30, ":"},
                     {4099, "HH:mm:ss"},
                     {31, "dd.MM.yyyy"},
                     {32, "dddd, d. MMMM yyyy"},
                     {33, "1"},
                     {34, "2"},
                     {35, "1"},
                     {36, "1"}};
  TLocaleInfo info;
  EXPECT_EQ(info.LocaleID(), 1024u);
  info.RefreshData(platform);
  EXPECT_EQ(info.FullLocalizeLanguage(), "Deutsch (Deutschland)");
  EXPECT_EQ(info.FullLanguageEnglishName(), "German");
  EXPECT_EQ(info.AbbreviateLanguageName(), "DEU");
  EXPECT_EQ(info.CountryCode(), "49");
  EXPECT_EQ(info.FullCountryCode(), "Deutschland");
  EXPECT_EQ(info.ListSeparator(), ";");
  EXPECT_EQ(info.MeasurementSystem(), TMeasureSystem::Metric);
  EXPECT_EQ(info.DecimalSeparator(), ",");
  EXPECT_EQ(info.DecimalThousandSeparator(), ".");
  EXPECT_EQ(info.NumberOfDecimalDigits(), "2");
  EXPECT_EQ(info.LocalMonetarySymbol(), "€");
  EXPECT_EQ(info.InternationalMonetarySymbol(), "EUR");
  EXPECT_EQ(info.CurrencyDecimalDigits(), "2");
  EXPECT_EQ(info.PositiveCurrencyMode(), TPositiveCurrencyMode::Suffix_One_Char_Separation);
  // 12 counts by its first character: pattern 1.
  EXPECT_EQ(info.NegativeCurrencyMode(), "-€1.1");
  EXPECT_EQ(info.TimeFormat(), "HH:mm:ss");
  EXPECT_EQ(info.ShortDateFormat(), "dd.MM.yyyy");
  EXPECT_EQ(info.LongDateFormat(), "dddd, d. MMMM yyyy");
  EXPECT_EQ(info.ShortDateOrder(), TDateOrder::DMY);
  EXPECT_EQ(info.LongDateOrder(), TDateOrder::YMD);
  EXPECT_EQ(info.TimeFormatSpecifier(), TTimeFormat::H24);
  EXPECT_EQ(info.YearFormat(), TYearFormat::FourDigit);
}

TEST(TLocaleInfo, MissingAndOutOfRangeNumbersFallBackToTheFirstValue) {
  test::FakeOsPlatform platform;
  platform.locale = {{13, "1"}, {33, "7"}, {35, "x"}, {28, ""}};
  TLocaleInfo info;
  info.RefreshData(platform);
  EXPECT_EQ(info.MeasurementSystem(), TMeasureSystem::US);
  EXPECT_EQ(info.ShortDateOrder(), TDateOrder::MDY);
  EXPECT_EQ(info.TimeFormatSpecifier(), TTimeFormat::H12);
  // No number reads as 0; no currency symbol leaves the pattern without one.
  EXPECT_EQ(info.NegativeCurrencyMode(), "(1.1)");
}

TEST(NegativeCurrencyPattern, EveryPatternWithTheSymbolInPlace) {
  const char* expected[] = {"(kr1.1)", "-kr1.1", "kr-1.1", "kr1.1-",  "(1.1kr)",
                            "-1.1kr",  "1.1-kr", "1.1kr-", "-1.1 kr", "-kr 1.1"};
  for (int mode = 0; mode < 10; ++mode) EXPECT_EQ(NegativeCurrencyPattern(mode, "kr"), expected[mode]);
  EXPECT_EQ(NegativeCurrencyPattern(1, "$"), "-$1.1");
  EXPECT_EQ(NegativeCurrencyPattern(10, "kr"), "");
}

OsVersionRecord Version(uint32_t major, uint32_t minor, uint8_t productType, uint16_t suites) {
  OsVersionRecord version;
  version.platformId = 2;
  version.majorVersion = major;
  version.minorVersion = minor;
  version.productType = productType;
  version.suiteMask = suites;
  version.servicePackMajor = 2;
  version.servicePackMinor = 1;
  return version;
}

TEST(TNTSpecific, Windows5SuitesDecideTheProduct) {
  struct Case {
    uint8_t productType;
    uint16_t suites;
    TNtProductType product;
  };
  const Case cases[] = {
      {1, 0x0300, TNtProductType::ptWorkStation},
      {2, 0x0000, TNtProductType::ptServer},
      {3, 0x0002, TNtProductType::ptAdvancedServer},
      {3, 0x0082, TNtProductType::ptDataCenter},
      {3, 0x0482, TNtProductType::ptWeb},
  };
  for (const Case& c : cases) {
    test::FakeOsPlatform platform;
    platform.version = Version(5, 2, c.productType, c.suites);
    TNTSpecific nt;
    nt.RefreshData(platform);
    EXPECT_EQ(nt.ProductType(), c.product) << c.suites;
    EXPECT_EQ(nt.ServicePackMajorVersion(), 2);
    EXPECT_EQ(nt.ServicePackMinorVersion(), 1);
  }
}

TEST(TNTSpecific, SuiteLinesAndBitsThatNameNoSuite) {
  test::FakeOsPlatform platform;
  platform.version = Version(5, 1, 1, 0x1000 | 0x0400 | 0x0100 | 0x0010 | 0x0001);
  TNTSpecific nt;
  nt.RefreshData(platform);
  EXPECT_TRUE(nt.InstalledSuites().Contains(TNTSuite::suSmallBusiness));
  EXPECT_TRUE(nt.InstalledSuites().Contains(TNTSuite::suTerminal));
  EXPECT_TRUE(nt.InstalledSuites().Contains(TNTSuite::suSingleUserTS));
  EXPECT_FALSE(nt.InstalledSuites().Contains(TNTSuite::suStorageServer));
  std::vector<std::string> lines{"first"};
  nt.GetInstalledSuitesStr(lines);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "first",
                       "Microsoft Small Business Server=1",
                       "Enterprise Edition/Advanced Server=0",
                       "Microsoft BackOffice Components=0",
                       "Communications=0",
                       "Microsoft Small Business Server with the restrictive client license in force=0",
                       "Terminal Services=1",
                       "Embedded NT=0",
                       "Datacenter Edition/Datacenter Server=0",
                       "Web Edition=1",
                       "Storage Server=0",
                       "Compute Cluster Edition=0",
                       "Home Server=0",
                   }));
  // A new refresh replaces the suites.
  platform.version = Version(5, 1, 1, 0x0002);
  nt.RefreshData(platform);
  EXPECT_FALSE(nt.InstalledSuites().Contains(TNTSuite::suSmallBusiness));
  EXPECT_TRUE(nt.InstalledSuites().Contains(TNTSuite::suEnterprise));
  EXPECT_EQ(nt.UpdateCount(), 0);
  EXPECT_EQ(nt.GetUpdateRec(0).ID, "");
  EXPECT_EQ(nt.NumberOfUsers(), 0);
}

TEST(TNTSpecific, OtherVersionsTakeTheProductFromTheRegistry) {
  struct Case {
    const char* value;
    TNtProductType product;
  };
  for (const Case& c :
       {Case{"WinNT", TNtProductType::ptWorkStation}, Case{"ServerNT", TNtProductType::ptServer},
        Case{"LanmanNT", TNtProductType::ptAdvancedServer}, Case{"Other", TNtProductType::ptUnknown}}) {
    test::FakeOsPlatform platform;
    platform.version = Version(6, 1, 1, 0x0100);
    platform.SetReg(RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions",
                    "ProductType", c.value);
    TNTSpecific nt;
    nt.RefreshData(platform);
    EXPECT_EQ(nt.ProductType(), c.product) << c.value;
    EXPECT_TRUE(nt.InstalledSuites().Empty());
    EXPECT_EQ(nt.ServicePackMajorVersion(), 0);
  }
}

TEST(TVistaSpecific, SwitchesAreSetOnlyByValuesThatExist) {
  const char* key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
  test::FakeOsPlatform platform;
  platform.SetReg(RegRoot::LocalMachine, key, "EnableLUA", "1");
  platform.SetReg(RegRoot::LocalMachine, key, "EnableVirtualization", "0");
  TVistaSpecific vista;
  vista.RefreshData(platform);
  EXPECT_TRUE(vista.UserAccountControl());
  EXPECT_FALSE(vista.Virtualization());

  test::FakeOsPlatform raw;
  raw.SetReg(RegRoot::LocalMachine, key, "EnableVirtualization", "01,00,00,00");
  raw.SetReg(RegRoot::LocalMachine, key, "EnableLUA", "");
  vista.RefreshData(raw);
  // An empty value is no number: the flag stays.
  EXPECT_TRUE(vista.UserAccountControl());
  EXPECT_TRUE(vista.Virtualization());
}

}  // namespace
}  // namespace vsm
