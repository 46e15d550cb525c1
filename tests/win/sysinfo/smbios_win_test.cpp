// The SMBIOS table on Windows (Wine): dump files through the OS's file names, and the table from
// WMI, which Wine may or may not offer.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "base/wide_win.h"
#include "sysinfo/smbios/SMBiosDump.h"
#include "sysinfo/smbios/uSMBIOS.h"
#if __has_include("sysinfo/wmi_win.h")
#include "sysinfo/wmi_win.h"
#define VSM_HAVE_SYSTEM_WMI 1
#endif

namespace vsm {
namespace {

const std::string kFixture = std::string(VSM_FIXTURE_DIR) + "/smbios/uroot__MSI-MS-7816.bin";

TEST(SMBiosWin, FixtureThroughTheWindowsFileApi) {
  const TSMBios smbios(*DecodeDmidecodeDump(ReadSMBiosFile(kFixture)));
  EXPECT_EQ(smbios.SMBiosTablesList().size(), 81u);
  EXPECT_EQ(smbios.BiosInfo().VendorStr(), "American Megatrends Inc.");
  EXPECT_EQ(smbios.MemoryDeviceInfo().at(0)->GetSize(), 8192u);
}

TEST(SMBiosWin, DumpFileWithANonAsciiName) {
  wchar_t temp[MAX_PATH] = {};
  ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring wide = std::wstring(temp) + L"vsm_smbios_\u00e9\u8868.dat";
  const std::string name = Narrow(wide);

  const TSMBios original(*DecodeDmidecodeDump(ReadSMBiosFile(kFixture)));
  original.SaveToFile(name);
  // The file carries the name as Windows spells it, not the UTF-8 bytes read as ANSI.
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);

  const TSMBios loaded(name);
  EXPECT_EQ(loaded.RawSMBIOSData().SMBIOSTableData, original.RawSMBIOSData().SMBIOSTableData);
  EXPECT_EQ(loaded.SysInfo().ProductNameStr(), "MS-7816");
  DeleteFileW(wide.c_str());

  try {
    TSMBios missing(name);
    FAIL() << "no error";
  } catch (const ESMBiosError& error) {
    EXPECT_EQ(error.what(), "Cannot open file \"" + name + "\"");
  }
}

// A WMI service without the class: the program keeps no TSMBios, and nothing is shown (no message
// box would let this test go on).
TEST(SMBiosWin, WmiWithoutTheClassLeavesNoTable) {
  const WmiQueryFunction noClass = [](std::string_view, std::string_view) {
    return std::optional<WmiObjects>();
  };
  EXPECT_EQ(CreateSMBios(noClass), nullptr);
}

#ifdef VSM_HAVE_SYSTEM_WMI
// Wine's own answer (built once the Windows WMI code is in the tree). Wine's class carries only
// SMBiosData: the host's firmware table when the host exposes one, no bytes otherwise (as on the
// build machines). Either way the outcome must follow the answer.
TEST(SMBiosWin, TableFromWineWmi) {
  const std::optional<WmiObjects> answer = SystemWmi()(kWmiRootWmi, kRawSMBiosTablesQuery);
  const bool hasTable = answer && !answer->empty() && !answer->front().Get("SMBiosData").bytes.empty();
  const std::unique_ptr<TSMBios> smbios = CreateSMBios(SystemWmi());
  if (!hasTable) {
    EXPECT_EQ(smbios, nullptr);
    return;
  }
  ASSERT_NE(smbios, nullptr);
  EXPECT_FALSE(smbios->SMBiosTablesList().empty());
  // Wine's Win32_BIOS reads the same table.
  const std::optional<WmiObjects> bios = SystemWmi()(kWmiCimv2, "SELECT * FROM Win32_BIOS");
  if (bios && !bios->empty() && smbios->BiosInfo().Raw()) {
    EXPECT_EQ(bios->front().GetText("Manufacturer"), smbios->BiosInfo().VendorStr());
  }
}
#endif

}  // namespace
}  // namespace vsm
