// The page rows of the developer listing: the memory page shows a module's size as the program's
// byte-size text, computed in 64 bits.
#include <gtest/gtest.h>

#include "smbios_builder.h"
#include "sysinfo/smbios/SMBiosReport.h"

namespace vsm {
namespace {

using test::Concat;
using test::EndOfTable;
using test::SMBiosOf;
using test::StructureBuilder;

std::vector<uint8_t> Module(uint16_t handle, uint16_t size, uint32_t extended) {
  return StructureBuilder(17, handle, 0x22).Word(0x0C, size).DWord(0x1C, extended).Bytes();
}

TEST(SMBiosReportTest, MemoryPageShowsModuleSizesAsByteSizeText) {
  const auto smbios = SMBiosOf(Concat({Module(0x40, 512, 0), Module(0x41, 0x7FFF, 16384),
                                       Module(0x42, 0x7FFF, 4u * 1024 * 1024), Module(0x43, 0, 0),
                                       EndOfTable()}));
  const std::string pages = DescribeSMBiosPages(*smbios);
  EXPECT_NE(pages.find("  Size: 512.0 MB\n"), std::string::npos) << pages;
  EXPECT_NE(pages.find("  Size: 16.00 GB\n"), std::string::npos) << pages;
  // 4 TB in bytes overflows 32 bits.
  EXPECT_NE(pages.find("  Size: 4.00 TB\n"), std::string::npos) << pages;
  // The empty slot gets no rows.
  EXPECT_EQ(pages.find("  Size: 0.00 KB"), std::string::npos) << pages;
}

}  // namespace
}  // namespace vsm
