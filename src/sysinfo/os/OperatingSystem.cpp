#include "sysinfo/os/OperatingSystem.h"

#include "base/text.h"
#include "sysinfo/os/Environment.h"
#include "sysinfo/os/OsProductName.h"

namespace vsm {

namespace {

const std::string kNtCurrentVersion = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
// Windows keeps its folder settings under the shell's key, not the NT one.
const std::string kWindowsCurrentVersion = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr size_t kEnvironmentLimit = 4096;

struct RegistryFolder {
  const char* prefix;
  const char* value;
};

constexpr RegistryFolder kRegistryFolders[] = {
    {"CommonFiles=", "CommonFilesDir"},
    {"ProgramFiles=", "ProgramFilesDir"},
    {"Device=", "DevicePath"},
    {"OtherDevice=", "OtherDevicePath"},
    {"Media=", "MediaPath"},
    {"Config=", "ConfigPath"},
    {"Wallpaper=", "WallPaperDir"},
};

TOSPlatform PlatformFromId(uint32_t id) {
  if (id == 1) return TOSPlatform::opWin9x;
  if (id == 2) return TOSPlatform::opWinNT;
  return TOSPlatform::opWin31;
}

// The folder that holds a path's last element.
std::string ParentFolder(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

const std::vector<SpecialFolder> kSpecialFolders = {
    {"AdminTools=", 48},
    {"AltStartup=", 29},
    {"AppData=", 26},
    {"CDBurnArea=", 59},
    {"CommonAdminTools=", 47},
    {"CommonDesktopDir=", 25},
    {"CommonAltStartUp=", 30},
    {"CommonAppData=", 35},
    {"CommonDocuments=", 46},
    {"CommonFavorites=", 31},
    {"CommonMusic=", 53},
    {"CommonPictures=", 54},
    {"CommonStartMenu=", 22},
    {"CommonStartup=", 24},
    {"CommonTemplates=", 45},
    {"CommonVideo=", 55},
    {"Cookies=", 33},
    {"Controls=", 3},
    {"Desktop=", 0},
    {"DesktopDir=", 16},
    {"Favorites=", 6},
    {"Drives=", 17},
    {"Fonts=", 20},
    {"History=", 34},
    {"Internet=", 1},
    {"InternetCache=", 32},
    {"LocalAppData=", 28},
    {"NetWork=", 18},
    {"NetHood=", 19},
    {"MyDocuments=", 5},
    {"MyMusic=", 13},
    {"MyPictures=", 39},
    {"MyVideo=", 14},
    {"Personal=", 5},
    {"PrintHood=", 27},
    {"Printers=", 4},
    {"Programs=", 2},
    {"Profile=", 40},
    {"Profiles=", 62},
    {"ProgramFiles=", 38},
    {"ProgramFilesCommon=", 43},
    {"RecycleBin=", 10},
    {"Recent=", 8},
    {"SendTo=", 9},
    {"StartMenu=", 11},
    {"StartUp=", 7},
    {"System=", 37},
    {"Windows=", 36},
    {"Templates=", 21},
};

std::string FormatLanguageId(uint16_t languageId) { return Format("$%.4x", languageId); }

TOperatingSystem::TOperatingSystem(std::shared_ptr<const OsPlatform> platform)
    : FPlatformCalls(std::move(platform)), FTZ(std::make_unique<TTimeZone>()),
      FNTSpec(std::make_unique<TNTSpecific>()), FVistaSpec(std::make_unique<TVistaSpecific>()),
      FInternet(std::make_unique<TInternet>()), FLocale(std::make_unique<TLocaleInfo>()) {}

void TOperatingSystem::RefreshData() {
  const OsPlatform& calls = *FPlatformCalls;
  auto version = calls.VersionInfo();
  FDirs.clear();
  FTZ->RefreshData(calls);
  if (calls.Is64BitWindows()) FNTSpec->RefreshData(calls);
  if (version && ((version->majorVersion == 6 && version->minorVersion == 0) ||
                  (version->majorVersion == 5 && version->minorVersion == 2))) {
    FVistaSpec->RefreshData(calls);
  }
  FInternet->RefreshData(calls);
  FLocale->RefreshData(calls);
  if (version) ReadVersion(*version);
  ReadCurrentVersionKey();
  ReadInstallDate();
  AddFolders();
  FEnv = ParseEnvironmentBlock(calls.EnvironmentBlock(), kEnvironmentLimit);
  FSysLangDefID = FormatLanguageId(calls.SystemDefaultLangId());
  if (auto guid = calls.RegText(RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Cryptography", "MachineGUID")) {
    FMGUID = *guid;
  }
}

void TOperatingSystem::ReadVersion(const OsVersionRecord& version) {
  FMajorVersion = static_cast<int>(version.majorVersion);
  FMinorVersion = static_cast<int>(version.minorVersion);
  FBuildNumber = static_cast<int>(version.buildNumber & 0xFFFF);
  FPlatform = PlatformFromId(version.platformId);
  FCSD = version.csdVersion;
  OsProductName product = WorkOutProductName(version, *FPlatformCalls);
  FOSName = product.name;
  FEdition = product.edition;
  FFullName = product.Combined();
}

void TOperatingSystem::ReadCurrentVersionKey() {
  const OsPlatform& calls = *FPlatformCalls;
  auto read = [&](const char* name, std::string& field) {
    if (auto text = calls.RegText(RegRoot::LocalMachine, kNtCurrentVersion, name)) field = *text;
  };
  FRegUser.clear();
  FRegOrg.clear();
  FProductID.clear();
  read("RegisteredOrganization", FRegOrg);
  read("RegisteredOwner", FRegUser);
  read("CurrentType", FVersion);
  read("ProductID", FProductID);
  read("BuildLab", FBuildLab);
  read("BuildLabEx", FBuildLab);
  auto firstInstall = calls.RegText(RegRoot::LocalMachine, kNtCurrentVersion, "FirstInstallDateTime");
  if (auto stamp = firstInstall ? RegTextToUInt32(*firstInstall) : std::nullopt) {
    if (auto date =
            DosDateTimeToDateTime(static_cast<uint16_t>(*stamp >> 16), static_cast<uint16_t>(*stamp))) {
      FInstallDate = *date;
    }
  }
  read("DVD_Region", FDVD);
  for (const RegistryFolder& folder : kRegistryFolders) {
    FDirs.push_back(folder.prefix +
                    calls.RegText(RegRoot::LocalMachine, kWindowsCurrentVersion, folder.value).value_or(""));
  }
}

void TOperatingSystem::ReadInstallDate() {
  // The product key is never shown: it is not kept.
  FProductKey.clear();
  auto text = FPlatformCalls->RegText(RegRoot::LocalMachine, kNtCurrentVersion, "InstallDate");
  if (auto seconds = text ? RegTextToUInt32(*text) : std::nullopt)
    FInstallDate = UnixSecondsToDateTime(*seconds);
}

void TOperatingSystem::AddFolders() {
  const OsPlatform& calls = *FPlatformCalls;
  bool beforeWindows2000 = FMajorVersion < 5;
  if (beforeWindows2000) {
    FDirs.push_back("Windows=" + calls.WindowsDirectory());
    FDirs.push_back("System=" + calls.SystemDirectory());
    FDirs.push_back("Temp=" + calls.TempPath());
  }
  std::string desktop;
  for (const SpecialFolder& folder : kSpecialFolders) {
    std::string path = calls.SpecialFolderPath(folder.csidl);
    if (folder.csidl == 16) desktop = path;
    FDirs.push_back(folder.prefix + path);
  }
  // Windows 9x and NT 4 name no profile folder; the desktop lies in it.
  if (beforeWindows2000) FDirs.push_back("Profile=" + ParentFolder(desktop));
}

}  // namespace vsm
