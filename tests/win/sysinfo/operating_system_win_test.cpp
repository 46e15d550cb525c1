#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "base/text.h"
#include "base/wide_win.h"
#include "platform/Is64BitWindows_win.h"
#include "sysinfo/os/OsPlatform_win.h"
#include "sysinfo/os/OsProductName.h"

namespace vsm {
namespace {

constexpr wchar_t kNtCurrentVersion[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// A value of the 64-bit registry view, read here without the program's own reader.
bool RegistryValue(const wchar_t* keyPath, const wchar_t* name, DWORD expectedType, void* data, DWORD size) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ | KEY_WOW64_64KEY, &key) != 0) return false;
  DWORD type = 0;
  LONG result = RegQueryValueExW(key, name, nullptr, &type, static_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  return result == 0 && type == expectedType;
}

std::optional<std::wstring> RegistryText(const wchar_t* key, const wchar_t* name) {
  wchar_t text[512] = {};
  if (!RegistryValue(key, name, REG_SZ, text, sizeof text - sizeof(wchar_t))) return std::nullopt;
  return std::wstring(text);
}

std::optional<DWORD> RegistryNumber(const wchar_t* key, const wchar_t* name) {
  DWORD value = 0;
  if (!RegistryValue(key, name, REG_DWORD, &value, sizeof value)) return std::nullopt;
  return value;
}

std::string LocaleText(LCTYPE type) {
  wchar_t text[255];
  int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 255);
  return length > 1 ? Narrow(std::wstring_view(text, static_cast<size_t>(length - 1))) : "";
}

const std::string* FolderLine(const std::vector<std::string>& folders, const std::string& prefix) {
  auto found = std::find_if(folders.begin(), folders.end(),
                            [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
  return found == folders.end() ? nullptr : &*found;
}

TEST(Is64BitWindowsWine, TheWow64PrefixIs64Bit) {
  BOOL wow64 = FALSE;
  ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
  SYSTEM_INFO native{};
  GetNativeSystemInfo(&native);
  EXPECT_EQ(Is64BitWindows(), wow64 && native.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64);
  EXPECT_EQ(Is64BitWindows(), Is64BitWindows());
}

class OperatingSystemWine : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    os_ = CreateOperatingSystem().release();
    os_->RefreshData();
  }
  static void TearDownTestSuite() { delete os_; }
  static TOperatingSystem* os_;
};
TOperatingSystem* OperatingSystemWine::os_ = nullptr;

TEST_F(OperatingSystemWine, VersionNameAndEditionAreWhatWineReports) {
  const TOperatingSystem& os = *os_;
  // Wine keeps its registry in step with the version it reports.
  auto current = RegistryText(kNtCurrentVersion, L"CurrentVersion");
  auto build = RegistryText(kNtCurrentVersion, L"CurrentBuildNumber");
  ASSERT_TRUE(current && build);
  EXPECT_EQ(Format("%d.%d", os.MajorVersion(), os.MinorVersion()), Narrow(*current));
  EXPECT_EQ(std::to_string(os.BuildNumber()), Narrow(*build));
  EXPECT_EQ(os.platform(), TOSPlatform::opWinNT);
  if (auto csd = RegistryText(kNtCurrentVersion, L"CSDVersion")) {
    EXPECT_EQ(os.CSD(), Narrow(*csd));
  }

  const std::map<std::string, std::string> names = {{"5.1", "Windows XP"}, {"6.0", "Windows Vista"},
                                                    {"6.1", "Windows 7"},  {"6.2", "Windows 8"},
                                                    {"6.3", ""},           {"10.0", "Windows 10"}};
  auto name = names.find(Narrow(*current));
  ASSERT_NE(name, names.end()) << Narrow(*current);
  EXPECT_EQ(os.OSName(), name->second);
  DWORD productType = 0;
  ASSERT_TRUE(GetProductInfo(os.MajorVersion(), os.MinorVersion(), 0, 0, &productType));
  ASSERT_TRUE(Is64BitWindows());
  std::string edition = EditionFromProductType(productType);
  EXPECT_EQ(os.OSEdition(), edition.empty() ? "x64" : edition + " x64");
  EXPECT_EQ(os.FullName(), Trim(os.OSName() + " " + os.OSEdition()));
  EXPECT_EQ(os.NTSpecific().ProductType(), TNtProductType::ptWorkStation);
}

TEST_F(OperatingSystemWine, RegistrationAndInstallDateFromTheRegistry) {
  const TOperatingSystem& os = *os_;
  auto productId = RegistryText(kNtCurrentVersion, L"ProductId");
  ASSERT_TRUE(productId.has_value());
  EXPECT_EQ(os.ProductID(), Narrow(*productId));
  EXPECT_EQ(os.ProductKey(), "");
  if (auto installed = RegistryNumber(kNtCurrentVersion, L"InstallDate")) {
    EXPECT_DOUBLE_EQ(os.InstallDate(), UnixSecondsToDateTime(*installed));
  }
  auto guid = RegistryText(L"SOFTWARE\\Microsoft\\Cryptography", L"MachineGuid");
  ASSERT_TRUE(guid.has_value());
  EXPECT_EQ(os.MachineGUID(), Narrow(*guid));
  EXPECT_EQ(os.MachineGUID().size(), 36u);
  EXPECT_EQ(os.LanguageID(), Format("$%.4x", GetSystemDefaultLangID()));
}

TEST_F(OperatingSystemWine, TimeZoneIsTheCurrentOneWithItsRegistryEntry) {
  const TTimeZone& zone = os_->TimeZone();
  TIME_ZONE_INFORMATION current{};
  ASSERT_NE(GetTimeZoneInformation(&current), TIME_ZONE_ID_INVALID);
  EXPECT_EQ(zone.Bias(), current.Bias);
  EXPECT_EQ(zone.StandardName(), Narrow(current.StandardName));
  // Wine's zones carry a display name, which only the matching entry gives.
  EXPECT_EQ(zone.DisplayName().rfind("(UTC", 0), 0u) << zone.DisplayName();
  if (current.StandardDate.wMonth != 0 && current.DaylightDate.wMonth != 0) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_EQ(DecodeDate(zone.DaylightStart()).year, now.wYear);
    EXPECT_EQ(zone.DaylightBias(), current.Bias + current.DaylightBias);
  } else {
    EXPECT_EQ(zone.DaylightStart(), 0);
    EXPECT_EQ(zone.StandardBias(), 0);
  }
}

TEST_F(OperatingSystemWine, LocaleIsTheUsersDefault) {
  const TLocaleInfo& locale = os_->LocaleInfo();
  EXPECT_FALSE(locale.FullLanguageEnglishName().empty());
  EXPECT_EQ(locale.FullLanguageEnglishName(), LocaleText(LOCALE_SENGLANGUAGE));
  EXPECT_EQ(locale.FullLocalizeLanguage(), LocaleText(LOCALE_SLANGUAGE));
  EXPECT_EQ(locale.ShortDateFormat(), LocaleText(LOCALE_SSHORTDATE));
  EXPECT_EQ(locale.LongDateFormat(), LocaleText(LOCALE_SLONGDATE));
  EXPECT_EQ(locale.LocalMonetarySymbol(), LocaleText(LOCALE_SCURRENCY));
  EXPECT_EQ(locale.CountryCode(), LocaleText(LOCALE_ICOUNTRY));
  std::string order = LocaleText(LOCALE_IDATE);
  EXPECT_EQ(static_cast<int>(locale.ShortDateOrder()), order[0] - '0');
}

TEST_F(OperatingSystemWine, FoldersAndEnvironment) {
  const std::vector<std::string>& folders = os_->Folders();
  wchar_t appData[MAX_PATH];
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData), S_OK);
  const std::string* line = FolderLine(folders, "AppData=");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(*line, "AppData=" + Narrow(appData));
  // The registry's program folder is read in the 64-bit view; the shell's is the 32-bit one.
  line = FolderLine(folders, "ProgramFiles=");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(*line, "ProgramFiles=C:\\Program Files");
  EXPECT_NE(std::find(folders.begin(), folders.end(), "ProgramFiles=C:\\Program Files (x86)"), folders.end());

  const std::vector<std::string>& environment = os_->Environment();
  EXPECT_TRUE(std::any_of(environment.begin(), environment.end(),
                          [](const std::string& entry) { return AsciiLower(entry).rfind("path=", 0) == 0; }));
}

}  // namespace
}  // namespace vsm
