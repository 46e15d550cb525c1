// The structure index and the walks over the raw table, on good tables and on damaged ones. The
// damaged ones matter under AddressSanitizer: no read may leave the table.
#include <gtest/gtest.h>

#include <filesystem>

#include "SMBiosPages.h"
#include "smbios_builder.h"
#include "sysinfo/smbios/SMBiosDump.h"
#include "sysinfo/smbios/SMBiosReport.h"
#include "sysinfo/smbios/uSMBIOS.h"

namespace vsm {
namespace {

using test::Concat;
using test::EndOfTable;
using test::RawTable;
using test::SMBiosOf;
using test::StructureBuilder;

std::vector<uint8_t> SmallTable() {
  return Concat({
      StructureBuilder(0, 0x0000, 0x18).Byte(0x04, 1).Strings({"Vendor"}).Bytes(),  // 0
      StructureBuilder(4, 0x0004, 0x2A).Bytes(),                                    // 32
      StructureBuilder(4, 0x0005, 0x2A).Bytes(),                                    // 76
      StructureBuilder(126, 0x0006, 0x08).Bytes(),                                  // 120
      EndOfTable(0x0007),                                                           // 130
      StructureBuilder(4, 0x0008, 0x2A).Bytes(),  // after the end of the table
  });
}

TEST(SMBiosIndex, ListsStructuresUpToTheEndOfTable) {
  const auto smbios = SMBiosOf(SmallTable());
  const ArrSMBiosTableEntry& index = smbios->SMBiosTablesList();
  ASSERT_EQ(index.size(), 5u);
  const int32_t offsets[] = {0, 32, 76, 120, 130};
  for (size_t i = 0; i < index.size(); ++i) {
    EXPECT_EQ(index[i].Index, offsets[i]);
    EXPECT_EQ(index[i].Header.Handle, i < 1 ? 0 : i + 3);
  }
  EXPECT_EQ(index.back().Header.TableType, EndofTable);
  EXPECT_EQ(smbios->GetSMBiosTableEntries(EndofTable), 0);
  EXPECT_EQ(smbios->GetSMBiosTableEntries(ProcessorInformation), 2);
  EXPECT_EQ(smbios->GetSMBiosTableEntries(Inactive), 1);
  EXPECT_EQ(smbios->ProcessorInfo().size(), 2u);

  EXPECT_EQ(smbios->GetSMBiosTableNextIndex(ProcessorInformation, -1), 32);
  EXPECT_EQ(smbios->GetSMBiosTableNextIndex(ProcessorInformation, 32), 76);
  EXPECT_EQ(smbios->GetSMBiosTableNextIndex(ProcessorInformation, 76), -1);
  EXPECT_EQ(smbios->GetSMBiosTableNextIndex(BIOSInformation, -1), 0);
  EXPECT_EQ(smbios->GetSMBiosTableNextIndex(MemoryDevice, -1), -1);

  EXPECT_EQ(smbios->SearchSMBiosTable(ProcessorInformation), 32);
  EXPECT_EQ(smbios->SearchSMBiosTable(BIOSInformation), 0);
  EXPECT_EQ(smbios->SearchSMBiosTable(MemoryDevice), -1);  // the walk ends at type 127

  EXPECT_EQ(smbios->GetSMBiosString(0 + 0x18, 1), "Vendor");
  EXPECT_EQ(smbios->GetSMBiosString(0 + 0x18, 0), "");
  EXPECT_EQ(smbios->GetSMBiosString(0 + 0x18, 2), "");
  EXPECT_EQ(smbios->GetSMBiosString(-5, 1), "");
  EXPECT_EQ(smbios->GetSMBiosString(1 << 30, 1), "");
  EXPECT_EQ(smbios->SmbiosVersion(), "2.8");
}

TEST(SMBiosIndex, TableWithoutEndOfTable) {
  // Three bytes after the last structure are no header.
  const auto smbios = SMBiosOf(Concat(
      {StructureBuilder(2, 0x02, 0x0F).Bytes(), StructureBuilder(17, 0x11, 0x28).Bytes(), {0x7F, 0x04, 0}}));
  ASSERT_EQ(smbios->SMBiosTablesList().size(), 2u);
  EXPECT_EQ(smbios->SMBiosTablesList().back().Header.TableType, MemoryDevice);
  EXPECT_EQ(smbios->SearchSMBiosTable(EnclosureInformation), -1);
  EXPECT_TRUE(smbios->HasMemoryDeviceInfo());
}

// Tables whose lengths and string sets point past the data. Every accessor runs over them.
TEST(SMBiosIndex, DamagedTablesAreReadOnlyInsideTheData) {
  const std::vector<uint8_t> damaged[] = {
      {},
      {0x00, 0x18, 0x00},
      // the last structure claims 255 bytes
      Concat({StructureBuilder(1, 1, 0x1B).Bytes(), {0x04, 0xFF, 0x04, 0x00, 0x01, 0x02}}),
      // a length below the header's own size, then a string set without its closing NULs
      {0x11, 0x00, 0x11, 0x00, 0x04, 0x02, 0x00, 0x00, 0x00, 0x01, 'A', 'B', 'C'},
      {0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x07, 0x03, 0x00, 0x00},
      // string numbers past the set and a set that runs to the end of the data
      Concat({StructureBuilder(0, 0, 0x18).Byte(0x04, 9).Byte(0x05, 1).Byte(0x08, 255).Bytes(),
              {0x02, 0x0F, 0x02, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 'x', 'y'}}),
  };
  for (const auto& table : damaged) {
    SCOPED_TRACE(testing::Message() << table.size() << " bytes");
    const auto smbios = SMBiosOf(table);
    EXPECT_FALSE(DescribeSMBiosStructures(*smbios).empty());
    test::FillSMBiosPages(smbios.get());
    for (const TSMBiosTableEntry& entry : smbios->SMBiosTablesList()) {
      EXPECT_LE(entry.Index + 4, static_cast<int32_t>(table.size()));
      for (int n = 0; n < 260; ++n) smbios->GetSMBiosString(entry.Index + entry.Header.Length, n);
      smbios->SearchSMBiosTable(static_cast<TSMBiosTablesTypes>(entry.Header.TableType));
    }
  }
}

// Every prefix of a real table: the index of the cut table starts like the whole one, and every
// structure object reads only what is left.
TEST(SMBiosIndex, EveryTruncationOfARealTable) {
  const auto path = std::filesystem::path(VSM_FIXTURE_DIR) / "smbios" / "uroot__Asus-UX307LA.bin";
  const TRawSMBIOSData whole = *DecodeDmidecodeDump(ReadSMBiosFile(path.string()));
  const auto full = std::make_unique<TSMBios>(whole);
  const ArrSMBiosTableEntry& fullIndex = full->SMBiosTablesList();
  for (size_t length = 0; length < whole.SMBIOSTableData.size(); ++length) {
    TRawSMBIOSData cut = whole;
    cut.SMBIOSTableData.resize(length);
    cut.SMBIOSTableData.shrink_to_fit();  // so that ASan sees the end of the data
    cut.Length = static_cast<uint32_t>(length);
    const TSMBios smbios(std::move(cut));
    const ArrSMBiosTableEntry& index = smbios.SMBiosTablesList();
    ASSERT_LE(index.size(), fullIndex.size());
    for (size_t i = 0; i < index.size(); ++i) {
      ASSERT_EQ(index[i].Index, fullIndex[i].Index) << length;
      ASSERT_EQ(index[i].Header.Handle, fullIndex[i].Header.Handle) << length;
    }
    DescribeSMBiosStructures(smbios);
    test::FillSMBiosPages(&smbios);
  }
}

TEST(SMBiosIndex, LengthAndBufferAlwaysAgree) {
  TRawSMBIOSData raw = RawTable(SmallTable());
  raw.Length = 1u << 20;  // more than the buffer holds
  const TSMBios smbios(raw);
  EXPECT_EQ(smbios.RawSMBIOSData().Length, raw.SMBIOSTableData.size());
  EXPECT_EQ(smbios.SMBiosTablesList().size(), 5u);
}

}  // namespace
}  // namespace vsm
