#include "sysinfo/os/NtSpecific.h"

#include "base/text.h"

namespace vsm {

namespace {

struct SuiteBit {
  uint16_t mask;
  TNTSuite suite;
};

// Suite-mask bits in ascending order; 0x1000 names no suite.
constexpr SuiteBit kSuiteBits[] = {
    {0x0001, TNTSuite::suSmallBusiness}, {0x0002, TNTSuite::suEnterprise},
    {0x0004, TNTSuite::suBackOffice},    {0x0008, TNTSuite::suCommunications},
    {0x0010, TNTSuite::suTerminal},      {0x0020, TNTSuite::suSmallBusinessRestricted},
    {0x0040, TNTSuite::suEmbeddedNT},    {0x0080, TNTSuite::suDataCenter},
    {0x0100, TNTSuite::suSingleUserTS},  {0x0200, TNTSuite::suPersonal},
    {0x0400, TNTSuite::suBlade},         {0x0800, TNTSuite::suEmbeddedRestricted},
    {0x2000, TNTSuite::suStorageServer}, {0x4000, TNTSuite::suComputeCluster},
    {0x8000, TNTSuite::suHomeServer},
};

struct SuiteLine {
  TNTSuite suite;
  const char* format;
};

constexpr SuiteLine kSuiteLines[] = {
    {TNTSuite::suSmallBusiness, "Microsoft Small Business Server=%d"},
    {TNTSuite::suEnterprise, "Enterprise Edition/Advanced Server=%d"},
    {TNTSuite::suBackOffice, "Microsoft BackOffice Components=%d"},
    {TNTSuite::suCommunications, "Communications=%d"},
    {TNTSuite::suSmallBusinessRestricted,
     "Microsoft Small Business Server with the restrictive client license in force=%d"},
    {TNTSuite::suTerminal, "Terminal Services=%d"},
    {TNTSuite::suEmbeddedNT, "Embedded NT=%d"},
    {TNTSuite::suDataCenter, "Datacenter Edition/Datacenter Server=%d"},
    {TNTSuite::suBlade, "Web Edition=%d"},
    {TNTSuite::suStorageServer, "Storage Server=%d"},
    {TNTSuite::suComputeCluster, "Compute Cluster Edition=%d"},
    {TNTSuite::suHomeServer, "Home Server=%d"},
};

TNtProductType ProductFromSuite(TNTSuite suite, TNtProductType product) {
  switch (suite) {
    case TNTSuite::suEnterprise: return TNtProductType::ptAdvancedServer;
    case TNTSuite::suDataCenter: return TNtProductType::ptDataCenter;
    case TNTSuite::suBlade: return TNtProductType::ptWeb;
    default: return product;
  }
}

TNtProductType ProductFromOptions(const std::string& productType) {
  if (EqualsNoCase(productType, "WinNT")) return TNtProductType::ptWorkStation;
  if (EqualsNoCase(productType, "ServerNT")) return TNtProductType::ptServer;
  if (EqualsNoCase(productType, "LanmanNT")) return TNtProductType::ptAdvancedServer;
  return TNtProductType::ptUnknown;
}

}  // namespace

void TNTSpecific::RefreshData(const OsPlatform& platform) {
  FUR.clear();
  auto version = platform.VersionInfo();
  if (version && version->platformId == 2 && version->majorVersion == 5) {
    FSuites = TNTSuites();
    if (version->productType == 1) FProduct = TNtProductType::ptWorkStation;
    if (version->productType == 2 || version->productType == 3) FProduct = TNtProductType::ptServer;
    for (const SuiteBit& bit : kSuiteBits) {
      if ((version->suiteMask & bit.mask) == 0) continue;
      FSuites.Include(bit.suite);
      FProduct = ProductFromSuite(bit.suite, FProduct);
    }
    FSPMajorVer = version->servicePackMajor;
    FSPMinorVer = version->servicePackMinor;
  }
  if (FProduct == TNtProductType::ptUnknown) {
    if (auto options = platform.RegText(
            RegRoot::LocalMachine, "\\System\\CurrentControlSet\\Control\\ProductOptions", "ProductType")) {
      FProduct = ProductFromOptions(*options);
    }
  }
}

void TNTSpecific::GetInstalledSuitesStr(std::vector<std::string>& lines) const {
  for (const SuiteLine& line : kSuiteLines)
    lines.push_back(Format(line.format, FSuites.Contains(line.suite) ? 1 : 0));
}

TUpdateRecord TNTSpecific::GetUpdateRec(int index) const {
  if (index < 0 || index >= UpdateCount()) return {};
  return FUR[static_cast<size_t>(index)];
}

}  // namespace vsm
