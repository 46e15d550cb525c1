// Obtaining the table through the WMI seam: what is asked, how the answer becomes the table, and
// what happens when WMI has none.
#include <gtest/gtest.h>

#include <filesystem>

#include "sysinfo/smbios/SMBiosDump.h"
#include "sysinfo/smbios/uSMBIOS.h"

namespace vsm {
namespace {

const std::filesystem::path kFixture =
    std::filesystem::path(VSM_FIXTURE_DIR) / "smbios" / "uroot__MSI-MS-7816.bin";

std::vector<uint8_t> FixtureTable() {
  return DecodeDmidecodeDump(ReadSMBiosFile(kFixture.string()))->SMBIOSTableData;
}

// The object Windows answers: the table bytes with their size and version.
WmiObject RawTablesObject(std::vector<uint8_t> data, WmiValue size) {
  WmiObject object;
  object.Set("Active", WmiValue::Bool(true));
  object.Set("DmiRevision", WmiValue::Int(0));
  object.Set("InstanceName", WmiValue::Text("root\\mssmbios\\0000_0"));
  object.Set("SMBiosData", WmiValue::Bytes(std::move(data)));
  object.Set("SmbiosMajorVersion", WmiValue::Int(2));
  object.Set("SmbiosMinorVersion", WmiValue::Int(8));
  object.Set("Size", std::move(size));
  return object;
}

WmiQueryFunction Answering(std::optional<WmiObjects> answer) {
  return [answer](std::string_view, std::string_view) { return answer; };
}

TEST(SMBiosWmi, AsksRootWmiForTheRawTables) {
  std::string askedNamespace, askedQuery;
  const std::vector<uint8_t> table = FixtureTable();
  const TSMBios smbios([&](std::string_view ns, std::string_view wql) {
    askedNamespace = ns;
    askedQuery = wql;
    return std::optional<WmiObjects>(
        WmiObjects{RawTablesObject(table, WmiValue::Int(static_cast<int64_t>(table.size())))});
  });
  EXPECT_EQ(askedNamespace, "root\\WMI");
  EXPECT_EQ(askedQuery, "SELECT * FROM MSSmBios_RawSMBiosTables");
  EXPECT_EQ(smbios.RawSMBIOSData().SMBIOSTableData, table);
  EXPECT_EQ(smbios.RawSMBIOSData().Used20CallingMethod, 0);
  EXPECT_EQ(smbios.SmbiosVersion(), "2.8");
  EXPECT_EQ(smbios.SMBiosTablesList().size(), 81u);
  EXPECT_EQ(smbios.SysInfo().ProductNameStr(), "MS-7816");
  // The printable rendering: the BIOS structure's header bytes are not printable, its vendor is.
  ASSERT_EQ(smbios.DataString().size(), table.size());
  EXPECT_EQ(smbios.DataString().substr(0, 4), "....");
  EXPECT_NE(smbios.DataString().find("American Megatrends Inc."), std::string::npos);
}

TEST(SMBiosWmi, OnlyTheFirstObjectCounts) {
  const std::vector<uint8_t> table = FixtureTable();
  const TSMBios smbios(
      Answering(WmiObjects{RawTablesObject(table, WmiValue::Int(static_cast<int64_t>(table.size()))),
                           RawTablesObject({127, 4, 0, 0, 0, 0}, WmiValue::Int(6))}));
  EXPECT_EQ(smbios.SMBiosTablesList().size(), 81u);
}

TEST(SMBiosWmi, SizeDecidesHowManyBytesAreTaken) {
  const std::vector<uint8_t> table = FixtureTable();
  struct Case {
    const char* name;
    WmiValue size;
    uint32_t length;
  } cases[] = {
      {"as many as delivered", WmiValue::Int(3096), 3096},
      // bytes past Size are not stored, yet shown in the printable rendering
      {"fewer than delivered", WmiValue::Int(70), 70},
      // a Size beyond the array never stands for bytes that did not come
      {"more than delivered", WmiValue::Int(100000), 3096},
      {"negative", WmiValue::Int(-1), 0},
      // Wine's class has no Size property
      {"missing", WmiValue::Null(), 3096},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const WmiQueryFunction query = Answering(WmiObjects{RawTablesObject(table, c.size)});
    if (c.length == 0) {
      EXPECT_THROW(TSMBios{query}, ESMBiosError);
      continue;
    }
    const TSMBios smbios(query);
    EXPECT_EQ(smbios.RawSMBIOSData().Length, c.length);
    EXPECT_EQ(smbios.RawSMBIOSData().SMBIOSTableData.size(), c.length);
    EXPECT_EQ(smbios.DataString().size(), table.size());
  }
  // Cut at 70 bytes the table still holds the whole BIOS structure and nothing else.
  const TSMBios cut(Answering(WmiObjects{RawTablesObject(table, WmiValue::Int(70))}));
  ASSERT_EQ(cut.SMBiosTablesList().size(), 1u);
  EXPECT_EQ(cut.BiosInfo().VendorStr(), "American Megatrends Inc.");
  EXPECT_EQ(cut.SysInfo().RAWSystemInformation(), nullptr);
}

TEST(SMBiosWmi, NoTableMeansNoTSMBios) {
  const struct {
    const char* name;
    WmiQueryFunction query;
  } cases[] = {
      {"WMI cannot run the query", Answering(std::nullopt)},
      {"the class has no object", Answering(WmiObjects{})},
      {"the object holds no bytes", Answering(WmiObjects{RawTablesObject({}, WmiValue::Int(0))})},
      {"no query function at all", WmiQueryFunction()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(TSMBios{c.query}, ESMBiosError);
    EXPECT_EQ(CreateSMBios(c.query), nullptr);
  }
  EXPECT_NE(CreateSMBios(Answering(WmiObjects{RawTablesObject(FixtureTable(), WmiValue::Null())})), nullptr);
}

TEST(SMBiosWmi, RemoteMachine) {
  std::string connectedTo;
  const std::vector<uint8_t> table = FixtureTable();
  const WmiConnectFunction connect = [&](std::string_view server, std::string_view user,
                                         std::string_view password) -> WmiQueryFunction {
    connectedTo = std::string(server) + "|" + std::string(user) + "|" + std::string(password);
    if (server != "board-room") return {};
    return Answering(WmiObjects{RawTablesObject(table, WmiValue::Null())});
  };
  const TSMBios smbios("board-room", "admin", "secret", connect);
  EXPECT_EQ(connectedTo, "board-room|admin|secret");
  EXPECT_EQ(smbios.BiosInfo().VersionStr(), "V2.14B14");

  try {
    TSMBios unreachable("elsewhere", "", "", connect);
    FAIL() << "no error";
  } catch (const ESMBiosError& error) {
    EXPECT_STREQ(error.what(), "WMI could not connect to elsewhere");
  }
}

}  // namespace
}  // namespace vsm
