#include <gtest/gtest.h>

#include "fake_os_platform.h"
#include "sysinfo/os/OsProductName.h"

namespace vsm {
namespace {

constexpr int kTabletPc = 86, kMediaCenter = 87, kStarter = 88, kServerR2 = 89;

struct ProductCase {
  const char* what;
  uint32_t platformId, major, minor;
  uint8_t productType;
  uint16_t suite;
  const char* csd;
  std::map<int, int> metrics;
  uint16_t architecture;
  std::optional<uint32_t> productInfo;
  bool is64Bit;
  const char* nt4ProductOptions;  // registry value, or null
  const char* name;
  const char* edition;
  const char* combined;
};

const ProductCase kCases[] = {
    {"95 OSR 2", 1, 4, 0, 0, 0, " B", {}, 0, {}, false, nullptr, "Windows 95", "OSR 2", "Windows 95 OSR 2"},
    {"95 OSR 2.5", 1, 4, 0, 0, 0, " C", {}, 0, {}, false, nullptr, "Windows 95", "OSR 2.5", "Windows 95 OSR 2.5"},
    {"95 first", 1, 4, 0, 0, 0, "", {}, 0, {}, false, nullptr, "Windows 95", "", "Windows 95"},
    {"98 SE", 1, 4, 10, 0, 0, " A ", {}, 0, {}, false, nullptr, "Windows 98", "SE", "Windows 98 SE"},
    {"Me", 1, 4, 90, 0, 0, " ", {}, 0, {}, false, nullptr, "Windows Millennium Edition", "", "Windows Millennium Edition"},
    {"XP x64", 2, 5, 2, 1, 0, "", {}, 9, {}, true, nullptr, "Windows XP", "Professional x64", "Windows XP Professional x64"},
    {"2003 R2 datacenter x64", 2, 5, 2, 3, 0x80, "", {{kServerR2, 1}}, 9, {}, true, nullptr,
     "Windows Server 2003 R2", "Datacenter x64", "Windows Server 2003 R2 Datacenter x64"},
    {"storage 2003", 2, 5, 2, 3, 0x2000, "", {}, 0, {}, false, nullptr, "Windows Storage Server 2003", "Standard",
     "Windows Storage Server 2003 Standard"},
    {"home server", 2, 5, 2, 3, 0x8000, "", {}, 0, {}, false, nullptr, "Windows Home Server", "Standard",
     "Windows Home Server Standard"},
    {"2003 itanium plain", 2, 5, 2, 3, 0, "", {}, 6, {}, true, nullptr, "Windows Server 2003", "", "Windows Server 2003"},
    {"2003 itanium enterprise", 2, 5, 2, 2, 0x02, "", {}, 6, {}, true, nullptr, "Windows Server 2003",
     "Enterprise for Itanium-based Systems", "Windows Server 2003 Enterprise for Itanium-based Systems"},
    {"2003 x64 standard", 2, 5, 2, 3, 0, "", {}, 9, {}, true, nullptr, "Windows Server 2003", "Standard x64",
     "Windows Server 2003 Standard x64"},
    {"2003 cluster wins", 2, 5, 2, 3, 0x4080, "", {}, 0, {}, false, nullptr, "Windows Server 2003", "Compute Cluster",
     "Windows Server 2003 Compute Cluster"},
    {"2003 web", 2, 5, 2, 3, 0x400, "", {}, 0, {}, false, nullptr, "Windows Server 2003", "Web", "Windows Server 2003 Web"},
    {"XP home starter", 2, 5, 1, 1, 0x200, "Service Pack 3", {{kStarter, 1}, {kTabletPc, 1}}, 0, {}, false, nullptr,
     "Windows XP", "Home Starter", "Windows XP Home Starter"},
    {"XP tablet", 2, 5, 1, 1, 0, "", {{kTabletPc, 1}, {kMediaCenter, 1}}, 0, {}, false, nullptr, "Windows XP",
     "Professional Tablet PC", "Windows XP Professional Tablet PC"},
    {"XP media center", 2, 5, 1, 1, 0, "", {{kMediaCenter, 1}}, 0, {}, false, nullptr, "Windows XP",
     "Professional Media Center", "Windows XP Professional Media Center"},
    {"2000 pro", 2, 5, 0, 1, 0x80, "", {}, 0, {}, false, nullptr, "Windows 2000", "Professional", "Windows 2000 Professional"},
    {"2000 datacenter", 2, 5, 0, 3, 0x82, "", {}, 0, {}, false, nullptr, "Windows 2000", "Datacenter Server",
     "Windows 2000 Datacenter Server"},
    {"2000 advanced", 2, 5, 0, 3, 0x02, "", {}, 0, {}, false, nullptr, "Windows 2000", "Advanced Server",
     "Windows 2000 Advanced Server"},
    {"2000 server", 2, 5, 0, 2, 0, "", {}, 0, {}, false, nullptr, "Windows 2000", "Server", "Windows 2000 Server"},
    {"NT4 workstation", 2, 4, 0, 1, 0, "", {}, 0, {}, false, nullptr, "Windows NT 4", "Workstation", "Windows NT 4 Workstation"},
    {"NT4 enterprise", 2, 4, 0, 3, 0x02, "", {}, 0, {}, false, nullptr, "Windows NT 4", "Server 4.0, Enterprise",
     "Windows NT 4 Server 4.0, Enterprise"},
    {"NT4 registry wins", 2, 4, 0, 1, 0, "", {}, 0, {}, false, "lanmanNT", "Windows NT 4", "Server", "Windows NT 4 Server"},
    {"NT4 advanced by registry", 2, 4, 0, 3, 0, "", {}, 0, {}, false, "SERVERNT", "Windows NT 4", "Advanced Server",
     "Windows NT 4 Advanced Server"},
    {"Vista no product info", 2, 6, 0, 1, 0, "", {}, 9, {}, true, nullptr, "Windows Vista", "x64", "Windows Vista x64"},
    {"Server 2008", 2, 6, 0, 3, 0, "", {}, 0, 8, false, nullptr, "Windows Server 2008", "Datacenter Full",
     "Windows Server 2008 Datacenter Full"},
    {"7 ultimate", 2, 6, 1, 1, 0, "", {}, 0, 1, false, nullptr, "Windows 7", "Ultimate", "Windows 7 Ultimate"},
    {"2008 R2", 2, 6, 1, 3, 0, "", {}, 9, 7, true, nullptr, "Windows Server 2008 R2", "Standard Full x64",
     "Windows Server 2008 R2 Standard Full x64"},
    {"8 professional", 2, 6, 2, 1, 0, "", {}, 0, 48, false, nullptr, "Windows 8", "Professional", "Windows 8 Professional"},
    {"8 professional x64", 2, 6, 2, 1, 0, "", {}, 9, 48, true, nullptr, "Windows 8", "Professional x64",
     "Windows 8 Professional x64"},
    {"Server 2012 has no name", 2, 6, 2, 3, 0, "", {}, 9, 7, true, nullptr, "", "Standard Full x64", "Standard Full x64"},
    {"8.1 has no name", 2, 6, 3, 1, 0, "", {}, 0, 48, false, nullptr, "", "Professional", "Professional"},
    {"10 workstation", 2, 10, 0, 1, 0, "", {}, 9, 48, true, nullptr, "Windows 10", "Professional x64",
     "Windows 10 Professional x64"},
    {"10 server", 2, 10, 0, 3, 0, "", {}, 0, 7, false, nullptr, "Windows 10", "Standard Full", "Windows 10 Standard Full"},
    {"unknown type 32-bit", 2, 6, 1, 1, 0, "", {}, 0, 101, false, nullptr, "Windows 7", "", "Windows 7"},
    {"unknown type 64-bit", 2, 6, 1, 1, 0, "", {}, 9, 101, true, nullptr, "Windows 7", "x64", "Windows 7 x64"},
    {"Win32s", 0, 3, 10, 0, 0, "", {}, 0, 48, false, nullptr, "", "", ""},
    {"NT 3.51", 2, 3, 51, 1, 0, "", {}, 0, {}, false, nullptr, "", "", ""},
};

TEST(WorkOutProductName, NamesAndEditionsFromTheVersionRecord) {
  for (const ProductCase& c : kCases) {
    SCOPED_TRACE(c.what);
    test::FakeOsPlatform platform;
    platform.metrics = c.metrics;
    platform.architecture = c.architecture;
    platform.productType = c.productInfo;
    platform.is64Bit = c.is64Bit;
    if (c.nt4ProductOptions != nullptr) {
      platform.SetReg(RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", "ProductType",
                      c.nt4ProductOptions);
    }
    OsVersionRecord version;
    version.platformId = c.platformId;
    version.majorVersion = c.major;
    version.minorVersion = c.minor;
    version.productType = c.productType;
    version.suiteMask = c.suite;
    version.csdVersion = c.csd;
    OsProductName product = WorkOutProductName(version, platform);
    EXPECT_EQ(product.name, c.name);
    EXPECT_EQ(product.edition, c.edition);
    EXPECT_EQ(product.Combined(), c.combined);
  }
}

TEST(WorkOutProductName, ProductInfoIsAskedWithTheRecordsNumbers) {
  test::FakeOsPlatform platform;
  platform.productType = 48;
  OsVersionRecord version;
  version.platformId = 2;
  version.majorVersion = 6;
  version.minorVersion = 1;
  version.productType = 1;
  version.servicePackMajor = 1;
  version.servicePackMinor = 0;
  WorkOutProductName(version, platform);
  EXPECT_EQ(platform.productInfoCalls, std::vector<std::string>{"6.1.1.0"});
}

TEST(EditionFromProductType, TableHasGapsThatGiveNoEdition) {
  EXPECT_EQ(EditionFromProductType(0), "An unknown product");
  EXPECT_EQ(EditionFromProductType(19), "");
  EXPECT_EQ(EditionFromProductType(25), "");
  EXPECT_EQ(EditionFromProductType(35), "without Hyper-V for Windows Essential Server Solutions");
  EXPECT_EQ(EditionFromProductType(48), "Professional");
  EXPECT_EQ(EditionFromProductType(50), "");
  EXPECT_EQ(EditionFromProductType(71), "Ultimate E");
  EXPECT_EQ(EditionFromProductType(101), "");
}

}  // namespace
}  // namespace vsm
