#pragma once
// What the operating-system page shows, gathered in one refresh: product name and edition,
// versions, registration, install date, time zone and regional settings; and besides, folders,
// environment, default clients, proxy, NT suites and UAC state.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/date_time.h"
#include "sysinfo/os/Internet.h"
#include "sysinfo/os/LocaleInfo.h"
#include "sysinfo/os/NtSpecific.h"
#include "sysinfo/os/OsPlatform.h"
#include "sysinfo/os/TimeZone.h"
#include "sysinfo/os/VistaSpecific.h"

namespace vsm {

enum class TOSPlatform { opWin31, opWin9x, opWinNT };

enum class TOSVersion {
  osUnknown,
  os95,
  os98,
  osME,
  osNT4,
  os2K,
  osXP,
  osXP64,
  os2K3,
  osVista,
  os2K8,
  osSeven,
  os2K8R2,
  osWin8,
  osWin10
};

// The special folders listed in Folders, as (line prefix, CSIDL), in order.
struct SpecialFolder {
  const char* prefix;
  int csidl;
};
extern const std::vector<SpecialFolder> kSpecialFolders;

// "$%.4x" of a language id.
std::string FormatLanguageId(uint16_t languageId);

class TOperatingSystem {
 public:
  explicit TOperatingSystem(std::shared_ptr<const OsPlatform> platform);

  void RefreshData();

  int BuildNumber() const { return FBuildNumber; }
  int MajorVersion() const { return FMajorVersion; }
  int MinorVersion() const { return FMinorVersion; }
  TOSPlatform platform() const { return FPlatform; }
  const std::string& CSD() const { return FCSD; }
  void SetCSD(std::string csd) { FCSD = std::move(csd); }
  const std::string& RegisteredUser() const { return FRegUser; }
  const std::string& ProductID() const { return FProductID; }
  const std::string& RegisteredOrg() const { return FRegOrg; }
  const std::vector<std::string>& Environment() const { return FEnv; }
  const std::vector<std::string>& Folders() const { return FDirs; }
  const TTimeZone& TimeZone() const { return *FTZ; }
  const TNTSpecific& NTSpecific() const { return *FNTSpec; }
  const TVistaSpecific& VistaSpecific() const { return *FVistaSpec; }
  const std::string& DVDRegion() const { return FDVD; }
  const TInternet& Internet() const { return *FInternet; }
  const TLocaleInfo& LocaleInfo() const { return *FLocale; }
  const std::string& LanguageID() const { return FSysLangDefID; }
  const std::string& ProductKey() const { return FProductKey; }
  TDateTime InstallDate() const { return FInstallDate; }
  TOSVersion OS() const { return FOS; }
  const std::string& OSName() const { return FOSName; }
  const std::string& BuildLab() const { return FBuildLab; }
  const std::string& OSEdition() const { return FEdition; }
  // Name and edition together, e.g. "Windows 7 Professional x64".
  const std::string& FullName() const { return FFullName; }
  const std::string& version() const { return FVersion; }
  const std::string& MachineGUID() const { return FMGUID; }

 private:
  void ReadVersion(const OsVersionRecord& version);
  void ReadCurrentVersionKey();
  void ReadInstallDate();
  void AddFolders();

  std::shared_ptr<const OsPlatform> FPlatformCalls;
  int FBuildNumber = 0;
  int FMajorVersion = 0;
  int FMinorVersion = 0;
  TOSPlatform FPlatform = TOSPlatform::opWin31;
  std::string FCSD;
  std::string FRegUser;
  std::string FProductID;
  std::string FRegOrg;
  std::vector<std::string> FEnv;
  std::vector<std::string> FDirs;
  std::unique_ptr<TTimeZone> FTZ;
  std::unique_ptr<TNTSpecific> FNTSpec;
  std::unique_ptr<TVistaSpecific> FVistaSpec;
  std::string FDVD;
  std::unique_ptr<TInternet> FInternet;
  std::unique_ptr<TLocaleInfo> FLocale;
  std::string FSysLangDefID;
  std::string FProductKey;
  TDateTime FInstallDate = 0;
  TOSVersion FOS = TOSVersion::osUnknown;
  std::string FOSName;
  std::string FBuildLab;
  std::string FEdition;
  std::string FFullName;
  std::string FVersion;
  std::string FMGUID;
};

}  // namespace vsm
