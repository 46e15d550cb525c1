// The processor, board and memory pages on real SMBIOS tables, against what dmidecode printed for
// the same tables, and on built tables for the cases the real ones do not show.
#include <gtest/gtest.h>

#include <map>

#include "../sysinfo/smbios/smbios_builder.h"
#include "SMBiosPages.h"
#include "base/ByteSize.h"
#include "base/text.h"
#include "dmidecode_compare.h"
#include "dmidecode_output.h"
#include "pages/InfoReport.h"
#include "smbios_fixtures.h"

namespace vsm {
namespace {

using test::DmiRecord;

std::vector<std::string> Captions(const TInfoRows& rows) {
  std::vector<std::string> captions;
  for (const auto& row : rows) captions.push_back(row->Caption);
  return captions;
}

TInfoRow* Row(const TInfoRows& rows, const std::string& caption) {
  for (const auto& row : rows) {
    if (row->Caption == caption) return row.get();
  }
  return nullptr;
}

std::string Value(const TInfoRows& rows, const std::string& caption) {
  const TInfoRow* row = Row(rows, caption);
  return row ? row->Text : "<no row " + caption + ">";
}

// "%d  Mhz" of a speed dmidecode prints as "3400 MHz", or "-" where it prints "Unknown" (0).
std::string SpeedRow(const std::optional<std::string>& theirs) {
  if (!theirs || *theirs == "Unknown") return "-";
  return Format("%d  Mhz", static_cast<int>(test::ParseDmiNumber(*theirs).value_or(99999)));
}

// dmidecode's board types by their code.
const std::map<std::string, int> kBoardTypeCodes = {
    {"Unknown", 1},
    {"Other", 2},
    {"Server Blade", 3},
    {"Connectivity Switch", 4},
    {"System Management Module", 5},
    {"Processor Module", 6},
    {"I/O Module", 7},
    {"Memory Module", 8},
    {"Daughter Board", 9},
    {"Motherboard", 10},
    {"Processor+Memory Module", 11},
    {"Processor+I/O Module", 12},
    {"Interconnect Board", 13},
};

WmiObject FourCoreProcessor() {
  return {{"Name", WmiValue::Text("Intel(R) Core(TM) i5-3570K CPU @ 3.40GHz")},
          {"Description", WmiValue::Text("Intel64 Family 6 Model 58 Stepping 9")},
          {"Manufacturer", WmiValue::Text("GenuineIntel")},
          {"ProcessorId", WmiValue::Text("BFEBFBFF000306A9")},
          {"NumberOfCores", WmiValue::Int(4)},
          {"L2CacheSize", WmiValue::Int(1024)}};
}

class RealTablePages : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    smbios_ = test::LoadSMBiosDump(GetParam());
    ASSERT_NE(smbios_, nullptr);
    dmi_ = test::DmidecodeOutputOf(GetParam());
    cpu_ = test::ProcessorFromWmi(FourCoreProcessor());
    pages_ = test::FillSMBiosPages(smbios_.get(), cpu_.get());
  }

  std::unique_ptr<TSMBios> smbios_;
  test::DmiOutput dmi_;
  std::unique_ptr<TCpuInfo> cpu_;
  test::SMBiosPages pages_;
};

TEST_P(RealTablePages, ProcessorPageRowsAreDmidecodesFirstProcessor) {
  const TInfoRows& rows = pages_.processor.Rows();
  const auto processors = dmi_.OfType(4);
  if (processors.empty()) {
    EXPECT_EQ(Captions(rows),
              (std::vector<std::string>{"Manufacter", "Processor", "Serial Number", "L2 Cache Size",
                                        "Core Count", "Average Temperature"}));
    return;
  }
  EXPECT_EQ(Captions(rows),
            (std::vector<std::string>{"Manufacter", "Socket Architecture", "Type", "Familiy", "Version",
                                      "Processor", "Maximum processor speed", "Current processor speed",
                                      "Serial Number", "L2 Cache Size", "Threads Count", "Core Count",
                                      "Average Temperature"}));
  const DmiRecord& first = *processors.front();
  EXPECT_EQ(Value(rows, "Manufacter"), "GenuineIntel");
  EXPECT_TRUE(test::SameDmiString(first.Get("Socket Designation"), Value(rows, "Socket Architecture")));
  EXPECT_EQ(Value(rows, "Type"), first.Get("Type"));
  EXPECT_EQ(Value(rows, "Familiy"), test::kDmiFamilyTexts.at(first.Get("Family").value_or("")));
  EXPECT_TRUE(test::SameDmiString(first.Get("Version"), Value(rows, "Version")));
  EXPECT_EQ(Value(rows, "Processor"), "Intel64 Family 6 Model 58 Stepping 9");
  EXPECT_EQ(Value(rows, "Maximum processor speed"), SpeedRow(first.Get("Max Speed")));
  EXPECT_EQ(Value(rows, "Current processor speed"), SpeedRow(first.Get("Current Speed")));
  EXPECT_EQ(Value(rows, "Serial Number"), "BFEBFBFF000306A9");
  EXPECT_EQ(Value(rows, "L2 Cache Size"), "1.00 MB");
  // A structure too short for the thread count (before SMBIOS 2.5) reads it as 0.
  EXPECT_EQ(Value(rows, "Threads Count"), first.Get("Thread Count").value_or("0"));
  EXPECT_EQ(Value(rows, "Core Count"), "4");
  const TInfoRow& average = *Row(rows, "Average Temperature");
  EXPECT_EQ(Captions(average.Children()),
            (std::vector<std::string>{"Core 0 temperature", "Core 1 temperature", "Core 2 temperature",
                                      "Core 3 temperature"}));
}

TEST_P(RealTablePages, BoardPageRowsAreDmidecodesBaseBoardBiosAndSlots) {
  const TInfoRows& rows = pages_.board.Rows();
  const auto boards = dmi_.OfType(2);
  if (boards.empty()) {
    EXPECT_EQ(Captions(rows),
              (std::vector<std::string>{"Manufacter", "Product", "Version", "Serial Number"}));
    return;
  }
  const std::optional<std::string> type = boards.front()->Get("Type");
  // No line: the structure ends before the board type, which then reads as 0.
  const int code = type ? kBoardTypeCodes.at(*type) : 0;
  const std::string boardType = Value(rows, "Board Type");
  EXPECT_EQ(boardType.substr(0, 3), Format("%02x ", code));
  if (type) {
    EXPECT_EQ(boardType.substr(3, type->size()), *type == "Daughter Board" ? "Daughter board" : *type);
  }

  const auto bios = dmi_.OfType(0);
  const TInfoRow* biosRow = Row(rows, "BIOS");
  ASSERT_EQ(biosRow != nullptr, !bios.empty());
  if (biosRow) {
    EXPECT_TRUE(biosRow->Expanded);
    EXPECT_TRUE(test::SameDmiString(bios.front()->Get("Version"), Value(biosRow->Children(), "Version")));
    EXPECT_TRUE(test::SameDmiString(bios.front()->Get("Release Date"),
                                    Value(biosRow->Children(), "Bios Release Date")));
  }
  const auto slots = dmi_.OfType(17);
  if (slots.empty()) {
    EXPECT_EQ(Row(rows, "Memory Slot Count"), nullptr);
  } else {
    EXPECT_EQ(Value(rows, "Memory Slot Count"), std::to_string(slots.size()));
  }
}

TEST_P(RealTablePages, MemoryPageListsEveryInstalledModuleAsDmidecodeShowsIt) {
  std::vector<const DmiRecord*> installed;
  for (const DmiRecord* record : dmi_.OfType(17)) {
    if (record->Get("Size") != "No Module Installed") installed.push_back(record);
  }
  const TInfoRows& rows = pages_.memory.Rows();
  ASSERT_EQ(rows.size(), installed.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const DmiRecord& record = *installed[i];
    const TInfoRow& slot = *rows[i];
    SCOPED_TRACE(testing::Message() << "handle " << record.handle);
    EXPECT_EQ(slot.Caption, "Memory Slot:");
    EXPECT_TRUE(slot.Expanded);
    EXPECT_TRUE(test::SameDmiString(record.Get("Locator"), slot.Text));
    const TInfoRows& fields = slot.Children();
    EXPECT_EQ(Captions(fields),
              (std::vector<std::string>{"Form Factor", "Total", "Data Width", "Size", "Memory Type", "Speed",
                                        "Manufacter", "Serial Number"}));
    EXPECT_TRUE(EqualsNoCase(Value(fields, "Form Factor"), record.Get("Form Factor").value_or("")));
    for (const auto& [caption, key] :
         {std::pair{"Total", "Total Width"}, std::pair{"Data Width", "Data Width"}}) {
      const std::string width = record.Get(key).value_or("");
      EXPECT_EQ(Value(fields, caption), width == "Unknown" ? "-" : width) << key;
    }
    const std::string size = record.Get("Size").value_or("");
    if (size != "Unknown") {
      const int64_t megabytes = static_cast<int64_t>(test::ParseDmiSizeMb(size).value_or(0));
      EXPECT_EQ(Value(fields, "Size"), FormatByteSize(megabytes * 1024 * 1024, ".")) << size;
    }
    EXPECT_EQ(Value(fields, "Memory Type"), test::ProgramMemoryTypeText(record.Get("Type").value_or("")));
    const std::string speed = record.Get("Speed").value_or("Unknown");
    if (speed == "Unknown") {
      EXPECT_EQ(Value(fields, "Speed"), "-");
    } else {
      EXPECT_EQ(Value(fields, "Speed"), Format("%d MHz", static_cast<int>(*test::ParseDmiNumber(speed))));
    }
    EXPECT_TRUE(test::SameDmiString(record.Get("Manufacturer"), Value(fields, "Manufacter")));
    EXPECT_TRUE(test::SameDmiString(record.Get("Serial Number"), Value(fields, "Serial Number")));
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RealTablePages, testing::ValuesIn(test::SMBiosDumpNames()),
                         test::DumpTestName);

using test::Concat;
using test::EndOfTable;
using test::SMBiosOf;
using test::StructureBuilder;

std::vector<uint8_t> Board(uint8_t type) {
  return StructureBuilder(2, 0x20, 0x0F)
      .Byte(0x04, 1)
      .Byte(0x0D, type)
      .Strings({"ASUSTeK COMPUTER INC."})
      .Bytes();
}
std::vector<uint8_t> Bios() {
  return StructureBuilder(0, 0x00, 0x12).Byte(0x05, 1).Byte(0x08, 2).Strings({"0801", "06/12/2012"}).Bytes();
}
std::vector<uint8_t> Module(uint16_t handle, uint16_t size, uint32_t extended = 0) {
  return StructureBuilder(17, handle, 0x22)
      .Word(0x08, 72)
      .Word(0x0A, 64)
      .Word(0x0C, size)
      .Byte(0x0E, 9)
      .Byte(0x10, 1)
      .Byte(0x12, 0x18)
      .Word(0x15, 1600)
      .Byte(0x17, 2)
      .Byte(0x18, 3)
      .DWord(0x1C, extended)
      .Strings({"ChannelA-DIMM0", "Kingston", "2F0A1B2C"})
      .Bytes();
}

TEST(SMBiosPages, WithoutATableTheProcessorHasNoTableRowsTheBoardFourAndMemoryNone) {
  auto cpu = test::ProcessorFromWmi(FourCoreProcessor());
  const test::SMBiosPages pages = test::FillSMBiosPages(nullptr, cpu.get());
  EXPECT_EQ(Captions(pages.processor.Rows()),
            (std::vector<std::string>{"Manufacter", "Processor", "Serial Number", "L2 Cache Size",
                                      "Core Count", "Average Temperature"}));
  EXPECT_EQ(Captions(pages.board.Rows()),
            (std::vector<std::string>{"Manufacter", "Product", "Version", "Serial Number"}));
  EXPECT_TRUE(pages.memory.Rows().empty());
  for (const TInfoTree* tree : {&pages.processor, &pages.board, &pages.memory})
    EXPECT_EQ(tree->UpdateCount(), 0);
}

TEST(SMBiosPages, ATableWithoutBaseBoardGivesTheFourBoardRowsEvenWithBiosAndMemory) {
  const auto smbios = SMBiosOf(Concat({Bios(), Module(0x40, 4096), EndOfTable()}));
  const test::SMBiosPages pages = test::FillSMBiosPages(smbios.get());
  EXPECT_EQ(Captions(pages.board.Rows()),
            (std::vector<std::string>{"Manufacter", "Product", "Version", "Serial Number"}));
  EXPECT_EQ(pages.memory.Rows().size(), 1u);
}

TEST(SMBiosPages, EmptySlotsCountOnTheBoardPageButAreNotListed) {
  const auto smbios = SMBiosOf(
      Concat({Bios(), Board(0x0A), Module(0x40, 4096), Module(0x41, 0), Module(0x42, 0), EndOfTable()}));
  const test::SMBiosPages pages = test::FillSMBiosPages(smbios.get());
  EXPECT_EQ(InfoReportText("Mainboard", pages.board),
            "Mainboard\r\nManufacter,\r\nProduct,\r\nVersion,\r\nSerial Number,\r\n"
            "Board Type,\"0a Motherboard (includes processor, memory, and I/O)\"\r\n"
            "BIOS,\r\n    Version,0801\r\n    Bios Release Date,06/12/2012\r\n"
            "Memory Slot Count,3\r\n");
  EXPECT_TRUE(Row(pages.board.Rows(), "Memory Slot Count")->Expanded);
  EXPECT_EQ(InfoReportText("Memory", pages.memory),
            "Memory\r\nMemory Slot:,ChannelA-DIMM0\r\n    Form Factor,DIMM\r\n    Total,72 bits\r\n"
            "    Data Width,64 bits\r\n    Size,4.00 GB\r\n    Memory Type,DDR3\r\n    Speed,1600 MHz\r\n"
            "    Manufacter,Kingston\r\n    Serial Number,2F0A1B2C\r\n");
}

TEST(SMBiosPages, ModuleSizesAreBytesIn64Bits) {
  const auto smbios = SMBiosOf(Concat({Module(0x40, 512), Module(0x41, 0x7FFF, 16384),
                                       Module(0x42, 0x7FFF, 4u * 1024 * 1024), EndOfTable()}));
  const test::SMBiosPages pages = test::FillSMBiosPages(smbios.get());
  std::vector<std::string> sizes;
  for (const auto& slot : pages.memory.Rows()) sizes.push_back(Value(slot->Children(), "Size"));
  EXPECT_EQ(sizes, (std::vector<std::string>{"512.0 MB", "16.00 GB", "4.00 TB"}));
}

// Structures of the oldest layouts: every field past their length reads 0 and its text is empty or
// the decoder's text for 0.
TEST(SMBiosPages, FieldsBeyondAShortStructureReadAsZero) {
  const auto processor = StructureBuilder(4, 0x04, 0x1A)
                             .Byte(0x04, 1)
                             .Byte(0x05, 3)
                             .Byte(0x06, 0xB1)
                             .Word(0x14, 3800)
                             .Word(0x16, 3400)
                             .Strings({"CPU 1"})
                             .Bytes();
  const auto board = StructureBuilder(2, 0x20, 0x08).Byte(0x04, 1).Strings({"Maker"}).Bytes();
  const auto module = StructureBuilder(17, 0x40, 0x15)
                          .Word(0x08, 64)
                          .Word(0x0A, 64)
                          .Word(0x0C, 256)
                          .Byte(0x0E, 9)
                          .Byte(0x10, 1)
                          .Byte(0x12, 0x12)
                          .Strings({"DIMM 1"})
                          .Bytes();
  const auto smbios = SMBiosOf(Concat({processor, board, module, EndOfTable()}));
  auto cpu = test::ProcessorFromWmi(FourCoreProcessor());
  const test::SMBiosPages pages = test::FillSMBiosPages(smbios.get(), cpu.get());
  EXPECT_EQ(Value(pages.processor.Rows(), "Maximum processor speed"), "3800  Mhz");
  EXPECT_EQ(Value(pages.processor.Rows(), "Current processor speed"), "3400  Mhz");
  EXPECT_EQ(Value(pages.processor.Rows(), "Threads Count"), "0");
  EXPECT_EQ(Value(pages.board.Rows(), "Board Type"), "00 Unknown");
  EXPECT_EQ(Row(pages.board.Rows(), "BIOS"), nullptr);
  const TInfoRows& fields = pages.memory.Rows().at(0)->Children();
  EXPECT_EQ(Value(fields, "Speed"), "-");  // no speed in a 2.1 structure
  EXPECT_EQ(Value(fields, "Manufacter"), "");
  EXPECT_EQ(Value(fields, "Serial Number"), "");
  EXPECT_EQ(Value(fields, "Memory Type"), "DDR");
}

// Core rows: the translated caption numbers from 0; one that is no format for one integer gives
// the built-in caption numbered from 1; one without a placeholder is the same for every core.
TEST(SMBiosPages, CoreRowsAreNumberedByTheTranslatedCaptionOrTheBuiltInOne) {
  auto cpu = test::ProcessorFromWmi(FourCoreProcessor());
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"Kern %d Temperatur",
       {"Kern 0 Temperatur", "Kern 1 Temperatur", "Kern 2 Temperatur", "Kern 3 Temperatur"}},
      {"Core %s temperature",
       {"Core 1 temperature", "Core 2 temperature", "Core 3 temperature", "Core 4 temperature"}},
      {"Core temperature", {"Core temperature", "Core temperature", "Core temperature", "Core temperature"}},
  };
  for (const auto& [translation, captions] : cases) {
    TPageTexts texts;
    texts.translate = [&translation](const std::string& key, const std::string& builtIn) {
      return key == "CTemperature" ? translation : builtIn;
    };
    const test::SMBiosPages pages = test::FillSMBiosPages(nullptr, cpu.get(), texts);
    EXPECT_EQ(Captions(Row(pages.processor.Rows(), "Average Temperature")->Children()), captions)
        << translation;
  }
}

TEST(SMBiosPages, TemperatureRowsShowTheirOwnReadingOnEveryDraw) {
  WmiObject bag = FourCoreProcessor();
  bag.Set("NumberOfCores", WmiValue::Int(16));
  auto cpu = test::ProcessorFromWmi(bag);
  std::map<int, double> readings = {{0, 47.6}, {1, 45}, {16, 52}};
  THardwareParts parts;
  parts.cpu = cpu.get();
  parts.reading = [&readings](int hardwareClass, int index) {
    return hardwareClass == 32 ? readings[index] : -99.0;
  };
  TPageTexts texts;
  std::string unit = "C";
  texts.temperature = [&unit](double celsius) { return Format("%.0f%s", celsius, unit.c_str()); };
  TInfoTree tree;
  FillProcessorPage(tree, &parts, texts);
  EXPECT_EQ(tree.ValueStyle().ValueColumn, 330);
  EXPECT_TRUE(tree.ValueStyle().SkipEmptyValues);
  EXPECT_EQ(tree.RowHeight(), 20);

  TInfoRow& average = *Row(tree.Rows(), "Average Temperature");
  ASSERT_EQ(average.Children().size(), 16u);
  TInfoRow& first = *average.Children()[0];
  TInfoRow& second = *average.Children()[1];
  TInfoRow& last = *average.Children()[15];
  EXPECT_EQ(tree.DrawValue(average), "48C");
  EXPECT_EQ(tree.DrawValue(first), "45C");
  EXPECT_EQ(tree.DrawValue(second), "-");  // exactly 0: no reading
  EXPECT_EQ(tree.DrawValue(last), "52C");
  readings[1] = 46;
  unit = "F";
  EXPECT_EQ(tree.DrawValue(first), "46F");
  EXPECT_EQ(first.Text, "46F");
  EXPECT_EQ(last.Text, "52C");  // not drawn again yet
}

}  // namespace
}  // namespace vsm
