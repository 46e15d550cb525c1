#include "sysinfo/os/OsProductName.h"

#include <map>

#include "base/text.h"

namespace vsm {

namespace {

constexpr uint32_t kPlatformWin9x = 1;
constexpr uint32_t kPlatformNT = 2;
constexpr uint8_t kWorkstation = 1;

constexpr uint16_t kSuiteEnterprise = 0x0002;
constexpr uint16_t kSuiteDataCenter = 0x0080;
constexpr uint16_t kSuitePersonal = 0x0200;
constexpr uint16_t kSuiteBlade = 0x0400;
constexpr uint16_t kSuiteStorageServer = 0x2000;
constexpr uint16_t kSuiteComputeServer = 0x4000;
constexpr uint16_t kSuiteHomeServer = 0x8000;

constexpr int kSmTabletPc = 86;
constexpr int kSmMediaCenter = 87;
constexpr int kSmStarter = 88;
constexpr int kSmServerR2 = 89;

constexpr uint16_t kArchitectureIa64 = 6;
constexpr uint16_t kArchitectureAmd64 = 9;

bool Has(const OsVersionRecord& version, uint16_t suite) { return (version.suiteMask & suite) != 0; }

// The second character of the service-pack text tells the Windows 95 and 98 releases apart.
char ReleaseLetter(const OsVersionRecord& version) {
  return version.csdVersion.size() > 1 ? version.csdVersion[1] : '\0';
}

OsProductName Windows9x(const OsVersionRecord& version) {
  OsProductName result;
  char letter = ReleaseLetter(version);
  if (version.majorVersion != 4) return result;
  if (version.minorVersion == 0) {
    result.name = "Windows 95";
    if (letter == 'A') result.edition = "OSR 1";
    if (letter == 'B') result.edition = "OSR 2";
    if (letter == 'C') result.edition = "OSR 2.5";
  } else if (version.minorVersion == 10) {
    result.name = "Windows 98";
    if (letter == 'A' || letter == 'B') result.edition = "SE";
  } else if (version.minorVersion == 90) {
    result.name = "Windows Millennium Edition";
  }
  return result;
}

std::string Server2003Edition(const OsVersionRecord& version, uint16_t architecture) {
  if (architecture == kArchitectureIa64) {
    if (Has(version, kSuiteDataCenter)) return "Datacenter for Itanium-based Systems";
    if (Has(version, kSuiteEnterprise)) return "Enterprise for Itanium-based Systems";
    return "";
  }
  if (architecture == kArchitectureAmd64) {
    if (Has(version, kSuiteDataCenter)) return "Datacenter x64";
    if (Has(version, kSuiteEnterprise)) return "Enterprise x64";
    return "Standard x64";
  }
  if (Has(version, kSuiteComputeServer)) return "Compute Cluster";
  if (Has(version, kSuiteDataCenter)) return "Datacenter";
  if (Has(version, kSuiteEnterprise)) return "Enterprise";
  if (Has(version, kSuiteBlade)) return "Web";
  return "Standard";
}

OsProductName Windows2003(const OsVersionRecord& version, const OsPlatform& platform) {
  if (version.productType == kWorkstation) return {"Windows XP", "Professional x64"};
  OsProductName result;
  if (platform.SystemMetric(kSmServerR2) > 0) {
    result.name = "Windows Server 2003 R2";
  } else if (Has(version, kSuiteStorageServer)) {
    result.name = "Windows Storage Server 2003";
  } else if (Has(version, kSuiteHomeServer)) {
    result.name = "Windows Home Server";
  } else {
    result.name = "Windows Server 2003";
  }
  result.edition = Server2003Edition(version, platform.ProcessorArchitecture());
  return result;
}

OsProductName WindowsXP(const OsVersionRecord& version, const OsPlatform& platform) {
  OsProductName result{"Windows XP", Has(version, kSuitePersonal) ? "Home" : "Professional"};
  if (platform.SystemMetric(kSmStarter) > 0) {
    result.edition += " Starter";
  } else if (platform.SystemMetric(kSmTabletPc) > 0) {
    result.edition += " Tablet PC";
  } else if (platform.SystemMetric(kSmMediaCenter) > 0) {
    result.edition += " Media Center";
  }
  return result;
}

OsProductName Windows2000(const OsVersionRecord& version) {
  if (version.productType == kWorkstation) return {"Windows 2000", "Professional"};
  if (Has(version, kSuiteDataCenter)) return {"Windows 2000", "Datacenter Server"};
  if (Has(version, kSuiteEnterprise)) return {"Windows 2000", "Advanced Server"};
  return {"Windows 2000", "Server"};
}

OsProductName WindowsNT4(const OsVersionRecord& version, const OsPlatform& platform) {
  OsProductName result{"Windows NT 4", "Server 4.0"};
  if (version.productType == kWorkstation) {
    result.edition = "Workstation";
  } else if (Has(version, kSuiteEnterprise)) {
    result.edition = "Server 4.0, Enterprise";
  }
  // The product options in the registry know better.
  auto type = platform.RegText(RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions",
                               "ProductType");
  if (type && EqualsNoCase(*type, "WINNT")) result.edition = "Workstation";
  if (type && EqualsNoCase(*type, "LANMANNT")) result.edition = "Server";
  if (type && EqualsNoCase(*type, "SERVERNT")) result.edition = "Advanced Server";
  return result;
}

std::string VistaAndLaterName(const OsVersionRecord& version) {
  bool workstation = version.productType == kWorkstation;
  if (version.majorVersion == 10) return "Windows 10";
  if (version.majorVersion != 6) return "";
  if (version.minorVersion == 0) return workstation ? "Windows Vista" : "Windows Server 2008";
  if (version.minorVersion == 1) return workstation ? "Windows 7" : "Windows Server 2008 R2";
  if (version.minorVersion == 2 && workstation) return "Windows 8";
  return "";
}

OsProductName VistaAndLater(const OsVersionRecord& version, const OsPlatform& platform) {
  OsProductName result{VistaAndLaterName(version), ""};
  if (auto type = platform.ProductInfo(version.majorVersion, version.minorVersion, version.servicePackMajor,
                                       version.servicePackMinor)) {
    result.edition = EditionFromProductType(*type);
  }
  if (platform.Is64BitWindows()) result.edition += result.edition.empty() ? "x64" : " x64";
  return result;
}

}  // namespace

std::string OsProductName::Combined() const { return Trim(name + " " + edition); }

std::string EditionFromProductType(uint32_t productType) {
  static const std::map<uint32_t, std::string> kEditions = {
      {0, "An unknown product"},
      {1, "Ultimate"},
      {2, "Home Basic"},
      {3, "Home Premium"},
      {4, "Enterprise"},
      {5, "Home Basic N"},
      {6, "Business"},
      {7, "Standard Full"},
      {8, "Datacenter Full"},
      {9, "Windows Small Business Server"},
      {10, "Enterprise Full"},
      {11, "Starter"},
      {12, "Datacenter Core"},
      {13, "Standard Core"},
      {14, "Enterprise Core"},
      {15, "Enterprise for Itanium-based Systems"},
      {16, "Business N"},
      {17, "Web Server Full"},
      {18, "HPC Edition"},
      {20, "Storage Server Express"},
      {21, "Storage Server Standard"},
      {22, "Storage Server Workgroup"},
      {23, "Storage Server Enterprise"},
      {24, "Windows Essential Server Solutions"},
      {26, "Home Premium N"},
      {27, "Enterprise N"},
      {28, "Ultimate N"},
      {29, "Web Server Core"},
      {30, "Windows Essential Business Server Management Server"},
      {31, "Windows Essential Business Server Security Server"},
      {32, "Windows Essential Business Server Messaging Server"},
      {33, "Server Foundation"},
      {35, "without Hyper-V for Windows Essential Server Solutions"},
      {36, "Standard without Hyper-V Full"},
      {37, "Datacenter without Hyper-V Full"},
      {38, "Enterprise without Hyper-V Full"},
      {39, "Datacenter without Hyper-V Core"},
      {40, "Standard without Hyper-V Core"},
      {41, "Enterprise without Hyper-V Core"},
      {42, "Microsoft Hyper-V Server"},
      {47, "Starter N"},
      {48, "Professional"},
      {49, "Professional N"},
      {66, "Starter E"},
      {67, "Home Basic E"},
      {68, "Home Premium E"},
      {69, "Professional E"},
      {70, "Enterprise E"},
      {71, "Ultimate E"},
  };
  auto found = kEditions.find(productType);
  return found == kEditions.end() ? std::string() : found->second;
}

OsProductName WorkOutProductName(const OsVersionRecord& version, const OsPlatform& platform) {
  if (version.platformId == kPlatformWin9x) return Windows9x(version);
  if (version.platformId != kPlatformNT) return {};
  if (version.majorVersion >= 6) return VistaAndLater(version, platform);
  if (version.majorVersion == 5 && version.minorVersion == 2) return Windows2003(version, platform);
  if (version.majorVersion == 5 && version.minorVersion == 1) return WindowsXP(version, platform);
  if (version.majorVersion == 5 && version.minorVersion == 0) return Windows2000(version);
  if (version.majorVersion == 4) return WindowsNT4(version, platform);
  return {};
}

}  // namespace vsm
