#include <gtest/gtest.h>

#include "fake_os_platform.h"
#include "sysinfo/os/OperatingSystem.h"

namespace vsm {
namespace {

const char kNt[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char kWindows[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kPolicies[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

std::shared_ptr<test::FakeOsPlatform> Windows7(bool is64Bit) {
  auto platform = std::make_shared<test::FakeOsPlatform>();
  OsVersionRecord version;
  version.platformId = 2;
  version.majorVersion = 6;
  version.minorVersion = 1;
  version.buildNumber = 0x12341DB1;  // build 7601 in the low 16 bits
  version.csdVersion = "Service Pack 1";
  version.servicePackMajor = 1;
  version.productType = 1;
  version.suiteMask = 0x0300;
  platform->version = version;
  platform->productType = 48;
  platform->is64Bit = is64Bit;
  platform->langId = 0x0804;
  platform->SetReg(RegRoot::LocalMachine, kNt, "RegisteredOwner", "Alice");
  platform->SetReg(RegRoot::LocalMachine, kNt, "RegisteredOrganization", "Example Ltd");
  platform->SetReg(RegRoot::LocalMachine, kNt, "CurrentType", "Multiprocessor Free");
  platform->SetReg(RegRoot::LocalMachine, kNt, "ProductID", "00371-OEM-8992671-00524");
  platform->SetReg(RegRoot::LocalMachine, kNt, "ProductKey", "SECRET-KEY");
  platform->SetReg(RegRoot::LocalMachine, kNt, "BuildLab", "7601.win7sp1_gdr");
  platform->SetReg(RegRoot::LocalMachine, kNt, "BuildLabEx", "7601.24214.amd64fre.win7sp1_ldr.180801-1700");
  platform->SetReg(RegRoot::LocalMachine, kNt, "InstallDate", "1500000000");
  platform->SetReg(RegRoot::LocalMachine, kNt, "DVD_Region", "01,00");
  platform->SetReg(RegRoot::LocalMachine, kWindows, "ProgramFilesDir", "C:\\Program Files");
  platform->SetReg(RegRoot::LocalMachine, kWindows, "CommonFilesDir", "C:\\Program Files\\Common Files");
  platform->SetReg(RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Cryptography", "MachineGuid",
                   "5d3f1e2a-0000-4c5e-9abc-0123456789ab");
  platform->SetReg(RegRoot::LocalMachine, kPolicies, "EnableLUA", "1");
  platform->SetReg(RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", "ProductType",
                   "WinNT");
  platform->folders = {{26, "C:\\Users\\alice\\AppData\\Roaming"}, {16, "C:\\Users\\alice\\Desktop"}};
  platform->environment = std::u16string(u"PATH=C:\\Windows\0USERNAME=alice\0\0", 32);
  platform->locale = {{2, "English (United States)"}};
  platform->timeZone =
      TimeZoneInformation{300, "Eastern Standard Time", {}, 0, "Eastern Daylight Time", {}, -60};
  return platform;
}

TEST(TOperatingSystem, RefreshFillsVersionNameRegistrationAndDates) {
  auto platform = Windows7(true);
  TOperatingSystem os(platform);
  os.RefreshData();
  EXPECT_EQ(os.MajorVersion(), 6);
  EXPECT_EQ(os.MinorVersion(), 1);
  EXPECT_EQ(os.BuildNumber(), 7601);
  EXPECT_EQ(os.platform(), TOSPlatform::opWinNT);
  EXPECT_EQ(os.CSD(), "Service Pack 1");
  EXPECT_EQ(os.OSName(), "Windows 7");
  EXPECT_EQ(os.OSEdition(), "Professional x64");
  EXPECT_EQ(os.FullName(), "Windows 7 Professional x64");
  EXPECT_EQ(os.OS(), TOSVersion::osUnknown);
  EXPECT_EQ(os.RegisteredUser(), "Alice");
  EXPECT_EQ(os.RegisteredOrg(), "Example Ltd");
  EXPECT_EQ(os.version(), "Multiprocessor Free");
  EXPECT_EQ(os.ProductID(), "00371-OEM-8992671-00524");
  EXPECT_EQ(os.ProductKey(), "");
  EXPECT_EQ(os.BuildLab(), "7601.24214.amd64fre.win7sp1_ldr.180801-1700");
  EXPECT_EQ(os.DVDRegion(), "01,00");
  EXPECT_EQ(DecodeDate(os.InstallDate()), (CalendarDate{2017, 7, 14}));
  EXPECT_EQ(os.LanguageID(), "$0804");
  EXPECT_EQ(os.MachineGUID(), "5d3f1e2a-0000-4c5e-9abc-0123456789ab");
  EXPECT_EQ(os.Environment(), (std::vector<std::string>{"PATH=C:\\Windows", "USERNAME=alice"}));
  EXPECT_EQ(os.TimeZone().StandardName(), "Eastern Standard Time");
  EXPECT_EQ(os.TimeZone().Bias(), 300);
  EXPECT_EQ(os.LocaleInfo().FullLocalizeLanguage(), "English (United States)");
  // On 64-bit Windows the NT part is read; UAC only on Vista / 2003.
  EXPECT_EQ(os.NTSpecific().ProductType(), TNtProductType::ptWorkStation);
  EXPECT_FALSE(os.VistaSpecific().UserAccountControl());
}

TEST(TOperatingSystem, FoldersFromTheRegistryAndTheShellInOrder) {
  auto platform = Windows7(false);
  TOperatingSystem os(platform);
  os.RefreshData();
  const std::vector<std::string>& folders = os.Folders();
  ASSERT_EQ(folders.size(), 7 + kSpecialFolders.size());
  EXPECT_EQ(folders[0], "CommonFiles=C:\\Program Files\\Common Files");
  EXPECT_EQ(folders[1], "ProgramFiles=C:\\Program Files");
  EXPECT_EQ(folders[2], "Device=");
  EXPECT_EQ(folders[6], "Wallpaper=");
  EXPECT_EQ(folders[7], "AdminTools=");
  EXPECT_EQ(folders[9], "AppData=C:\\Users\\alice\\AppData\\Roaming");
  EXPECT_EQ(folders[7 + 19], "DesktopDir=C:\\Users\\alice\\Desktop");
  EXPECT_EQ(folders.back(), "Templates=");
  // A second refresh starts the list again.
  os.RefreshData();
  EXPECT_EQ(os.Folders().size(), folders.size());
}

TEST(TOperatingSystem, ThirtyTwoBitWindowsReadsNoNtPartAndAddsNoX64) {
  auto platform = Windows7(false);
  OsVersionRecord xp = *platform->version;
  xp.majorVersion = 5;
  xp.minorVersion = 1;
  xp.suiteMask = 0x0200;
  platform->version = xp;
  TOperatingSystem os(platform);
  os.RefreshData();
  EXPECT_EQ(os.FullName(), "Windows XP Home");
  EXPECT_EQ(os.NTSpecific().ProductType(), TNtProductType::ptUnknown);
  EXPECT_EQ(os.NTSpecific().ServicePackMajorVersion(), 0);

  platform->is64Bit = true;
  os.RefreshData();
  EXPECT_EQ(os.NTSpecific().ProductType(), TNtProductType::ptWorkStation);
  EXPECT_TRUE(os.NTSpecific().InstalledSuites().Contains(TNTSuite::suPersonal));
  EXPECT_EQ(os.NTSpecific().ServicePackMajorVersion(), 1);
}

TEST(TOperatingSystem, VistaReadsTheUacSwitches) {
  auto platform = Windows7(false);
  OsVersionRecord vista = *platform->version;
  vista.minorVersion = 0;
  platform->version = vista;
  TOperatingSystem os(platform);
  os.RefreshData();
  EXPECT_EQ(os.OSName(), "Windows Vista");
  EXPECT_TRUE(os.VistaSpecific().UserAccountControl());
}

TEST(TOperatingSystem, InstallDateFallsBackToTheDosStamp) {
  auto platform = Windows7(false);
  platform->SetReg(RegRoot::LocalMachine, kNt, "InstallDate", "");
  // 2009-06-21 13:45:58 as raw data: time in the low word, date in the high one.
  uint32_t stamp = (29u << 9 | 6u << 5 | 21u) << 16 | (13u << 11 | 45u << 5 | 29u);
  platform->SetReg(RegRoot::LocalMachine, kNt, "FirstInstallDateTime",
                   Format("%02X,%02X,%02X,%02X,00,00,00,00", stamp & 0xFF, stamp >> 8 & 0xFF,
                          stamp >> 16 & 0xFF, stamp >> 24));
  TOperatingSystem os(platform);
  os.RefreshData();
  EXPECT_EQ(DecodeDate(os.InstallDate()), (CalendarDate{2009, 6, 21}));
}

TEST(TOperatingSystem, OldWindowsAddsItsFoldersAndAProfile) {
  auto platform = std::make_shared<test::FakeOsPlatform>();
  OsVersionRecord windows98;
  windows98.platformId = 1;
  windows98.majorVersion = 4;
  windows98.minorVersion = 10;
  windows98.buildNumber = 0x040A08AE;
  windows98.csdVersion = " A ";
  platform->version = windows98;
  platform->folders = {{16, "C:\\WINDOWS\\Profiles\\bob\\Desktop"}};
  TOperatingSystem os(platform);
  os.RefreshData();
  EXPECT_EQ(os.FullName(), "Windows 98 SE");
  EXPECT_EQ(os.BuildNumber(), 2222);
  EXPECT_EQ(os.platform(), TOSPlatform::opWin9x);
  const std::vector<std::string>& folders = os.Folders();
  ASSERT_EQ(folders.size(), 7 + 3 + kSpecialFolders.size() + 1);
  EXPECT_EQ(folders[7], "Windows=C:\\WINDOWS");
  EXPECT_EQ(folders[8], "System=C:\\WINDOWS\\SYSTEM");
  EXPECT_EQ(folders[9], "Temp=C:\\WINDOWS\\TEMP\\");
  EXPECT_EQ(folders.back(), "Profile=C:\\WINDOWS\\Profiles\\bob");
}

TEST(TOperatingSystem, NothingReadableLeavesEverythingEmpty) {
  TOperatingSystem os(std::make_shared<test::FakeOsPlatform>());
  os.RefreshData();
  EXPECT_EQ(os.OSName(), "");
  EXPECT_EQ(os.RegisteredUser(), "");
  EXPECT_EQ(os.InstallDate(), 0);
  EXPECT_EQ(os.LanguageID(), "$0409");
  EXPECT_TRUE(os.Environment().empty());
  EXPECT_EQ(os.Internet().ConnectionType(), TConnectionType::ctNone);
}

TEST(FormatLanguageId, DollarAndFourLowerCaseHexDigits) {
  EXPECT_EQ(FormatLanguageId(0x0804), "$0804");
  EXPECT_EQ(FormatLanguageId(0x040C), "$040c");
  EXPECT_EQ(FormatLanguageId(0), "$0000");
}

}  // namespace
}  // namespace vsm
