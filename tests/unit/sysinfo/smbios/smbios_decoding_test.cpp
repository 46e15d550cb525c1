// Decoding of structure fields: the edge cases of sizes, codes, voltages, families, dates and
// links, and the rules for fields and strings a structure does not hold.
#include <gtest/gtest.h>

#include <functional>

#include "base/text.h"
#include "smbios_builder.h"
#include "sysinfo/smbios/uSMBIOS.h"

namespace vsm {
namespace {

using test::Concat;
using test::EndOfTable;
using test::SMBiosOf;
using test::StructureBuilder;

std::vector<uint8_t> MemoryDevice(uint8_t length, uint16_t size, uint32_t extended = 0, uint8_t type = 0x18) {
  StructureBuilder device(17, 0x40, length);
  device.Word(0x0C, size).Byte(0x12, type);
  if (length >= 0x20) device.DWord(0x1C, extended);
  return device.Bytes();
}

std::vector<uint8_t> Processor(uint8_t length, uint8_t family, uint16_t family2 = 0, uint8_t voltage = 0) {
  StructureBuilder cpu(4, 0x10, length);
  cpu.Byte(0x06, family).Byte(0x11, voltage);
  if (length >= 0x2A) cpu.Word(0x28, family2);
  return cpu.Bytes();
}

std::vector<uint8_t> ProcessorWithCaches(uint16_t handle, uint16_t l1, uint16_t l2, uint16_t l3) {
  return StructureBuilder(4, handle, 0x2A).Word(0x1A, l1).Word(0x1C, l2).Word(0x1E, l3).Bytes();
}

std::vector<uint8_t> Cache(uint16_t handle) { return StructureBuilder(7, handle, 0x13).Bytes(); }

std::string FirstMemorySize(const TSMBios& s) {
  return std::to_string(s.MemoryDeviceInfo().at(0)->GetSize());
}
std::string FirstMemoryType(const TSMBios& s) { return s.MemoryDeviceInfo().at(0)->GetMemoryTypeStr(); }
std::string FirstMemorySpeed(const TSMBios& s) {
  return std::to_string(s.MemoryDeviceInfo().at(0)->GetSpeed());
}
std::string FirstFamily(const TSMBios& s) { return s.ProcessorInfo().at(0)->ProcessorFamilyStr(); }
std::string FirstVoltage(const TSMBios& s) {
  return Format("%g", s.ProcessorInfo().at(0)->GetProcessorVoltaje());
}
std::string CacheLinks(const TSMBios& s) {
  std::string links;
  for (const auto& cpu : s.ProcessorInfo()) {
    for (const TCacheInformation* cache : {cpu->L1Chache, cpu->L2Chache, cpu->L3Chache}) {
      links += cache ? Format("%04X ", cache->Handle()) : "null ";
    }
    links += "| ";
  }
  return links;
}

struct EdgeCase {
  const char* name;
  std::vector<uint8_t> table;
  std::function<std::string(const TSMBios&)> read;
  std::string expected;
};

TEST(SMBiosDecoding, EdgeCases) {
  const EdgeCase cases[] = {
      {"size word 0 is an empty slot", MemoryDevice(0x28, 0x0000), FirstMemorySize, "0"},
      {"size 7FFFh takes the Extended Size", MemoryDevice(0x28, 0x7FFF, 0x20000), FirstMemorySize, "131072"},
      {"size 7FFFh without an Extended Size field", MemoryDevice(0x1C, 0x7FFF), FirstMemorySize, "0"},
      {"size 8400h is 1024 KB", MemoryDevice(0x28, 0x8400), FirstMemorySize, "1"},
      {"size 83FFh is under 1 MB", MemoryDevice(0x28, 0x83FF), FirstMemorySize, "0"},
      {"size 4000h in megabytes", MemoryDevice(0x28, 0x4000), FirstMemorySize, "16384"},
      {"memory type 26", MemoryDevice(0x28, 1, 0, 26), FirstMemoryType, "DDR4"},
      {"speed word", StructureBuilder(17, 0x40, 0x28).Word(0x15, 3200).Bytes(), FirstMemorySpeed, "3200"},
      {"speed FFFFh takes the Extended Speed",
       StructureBuilder(17, 0x40, 0x5C).Word(0x15, 0xFFFF).DWord(0x54, 0x80011170).Bytes(), FirstMemorySpeed,
       "70000"},  // bit 31 is reserved
      {"speed FFFFh without an Extended Speed field",
       StructureBuilder(17, 0x40, 0x28).Word(0x15, 0xFFFF).Bytes(), FirstMemorySpeed, "0"},
      {"memory type 29", MemoryDevice(0x28, 1, 0, 29), FirstMemoryType, "LPDDR3"},
      {"memory type 34", MemoryDevice(0x28, 1, 0, 34), FirstMemoryType, "DDR5"},
      {"memory type 35", MemoryDevice(0x28, 1, 0, 35), FirstMemoryType, "LPDDR5"},
      {"memory type 37", MemoryDevice(0x28, 1, 0, 37), FirstMemoryType, "Unknown 37"},
      {"memory type 0", MemoryDevice(0x28, 1, 0, 0), FirstMemoryType, "Unknown 0"},
      {"memory type 22", MemoryDevice(0x28, 1, 0, 22), FirstMemoryType, "Reserved"},
      {"enclosure type with lock bit", StructureBuilder(3, 3, 0x0D).Byte(0x05, 0x83).Bytes(),
       [](const TSMBios& s) { return s.EnclosureInfo().at(0)->TypeStr(); }, "Desktop"},
      {"enclosure type lock bit alone", StructureBuilder(3, 3, 0x0D).Byte(0x05, 0x80).Bytes(),
       [](const TSMBios& s) { return s.EnclosureInfo().at(0)->TypeStr(); }, "Unknown"},
      {"voltage 8Ch is 1.2 V", Processor(0x2A, 0xC6, 0, 0x8C), FirstVoltage, "1.2"},
      {"voltage 03h: 5 V wins over 3.3 V", Processor(0x2A, 0xC6, 0, 0x03), FirstVoltage, "5"},
      {"voltage 06h: 3.3 V wins over 2.9 V", Processor(0x2A, 0xC6, 0, 0x06), FirstVoltage, "3.3"},
      {"voltage 04h", Processor(0x2A, 0xC6, 0, 0x04), FirstVoltage, "2.9"},
      {"voltage 00h", Processor(0x2A, 0xC6, 0, 0x00), FirstVoltage, "0"},
      {"family byte of a 2.5 processor", Processor(0x28, 0x0B), FirstFamily,
       "Intel\u00AE Pentium\u00AE processor"},
      {"family 2 word 0100h", Processor(0x2A, 0xFE, 0x0100), FirstFamily, "ARMv7"},
      {"family 2 word 0103h", Processor(0x2A, 0xFE, 0x0103), FirstFamily,
       "These values are available for assignment"},
      {"family 2 word 0104h", Processor(0x2A, 0xFE, 0x0104), FirstFamily, "SH-3"},
      {"family 2 word 00FFh", Processor(0x2A, 0xFE, 0x00FF), FirstFamily, "Unknown"},
      {"family 2 word 0200h", Processor(0x2A, 0xFE, 0x0200), FirstFamily, "RISC-V RV32"},
      {"family 2 word 0305h", Processor(0x2A, 0xFE, 0x0305), FirstFamily, "Intel\u00AE Core\u2122 Ultra 5"},
      {"family 2 word 0400h", Processor(0x2A, 0xFE, 0x0400), FirstFamily, "Available for assignment"},
      {"family 2 word FFFEh", Processor(0x2A, 0xFE, 0xFFFE), FirstFamily, "Reserved"},
      {"family byte other than FEh decides", Processor(0x2A, 0xC6, 0x0118), FirstFamily,
       "Intel\u00AE Core\u2122 i7 processor"},
      {"family byte FEh, word of a byte code", Processor(0x2A, 0xFE, 0x006B), FirstFamily,
       "AMD Zen Processor Family"},
      {"family byte FEh without the word", Processor(0x28, 0xFE), FirstFamily,
       "Indicator to obtain the processor family from the Processor Family 2 field"},
      {"family byte CFh", Processor(0x2A, 0xCF), FirstFamily, "Intel\u00AE Core\u2122 i9 processor"},
      {"family byte not in the table", Processor(0x2A, 0xD1), FirstFamily, "Available for assignment"},
      {"battery date 4A21h", StructureBuilder(22, 0x22, 0x1A).Word(0x12, 0x4A21).Bytes(),
       [](const TSMBios& s) {
         const TSMBiosDate d = s.BatteryInformation().at(0)->GetSBDSManufacturerDate();
         return Format("%04d-%02d-%02d", d.Year, d.Month, d.Day);
       },
       "2017-01-01"},
      {"two processors share one L2 cache",
       Concat({Cache(0x0701), Cache(0x0702), ProcessorWithCaches(0x10, 0x0701, 0x0702, 0),
               ProcessorWithCaches(0x11, 0x0701, 0x0702, 0xFFFF), EndOfTable()}),
       CacheLinks, "0701 0702 null | 0701 0702 null | "},
      {"caches listed after the processors still link",
       Concat({ProcessorWithCaches(0x10, 0x0005, 0, 0), Cache(0x0005), EndOfTable()}), CacheLinks,
       "0005 null null | "},
      {"processor without cache handles (SMBIOS 2.0)",
       Concat({Cache(0x0000), StructureBuilder(4, 0x10, 0x1A).Bytes()}), CacheLinks, "null null null | "},
      {"memory device links its array",
       Concat({StructureBuilder(16, 0x1000, 0x0F).Bytes(),
               StructureBuilder(17, 0x1100, 0x15).Word(0x04, 0x1000).Bytes(),
               StructureBuilder(17, 0x1101, 0x15).Word(0x04, 0x0000).Bytes()}),
       [](const TSMBios& s) {
         std::string links;
         for (const auto& d : s.MemoryDeviceInfo()) {
           links += d->PhysicalMemoryArray ? Format("%04X ", d->PhysicalMemoryArray->Handle()) : "null ";
         }
         return links;
       },
       "1000 null "},
      {"temperature probe location 12", StructureBuilder(28, 0x28, 0x16).Byte(0x05, 0x6C).Bytes(),
       [](const TSMBios& s) {
         const auto& probe = *s.TemperatureProbeInformation().at(0);
         return probe.GetLocation() + "/" + probe.GetStatus();
       },
       "Front Panel Board/OK"},
      {"voltage probe location 12", StructureBuilder(26, 0x26, 0x16).Byte(0x05, 0x6C).Bytes(),
       [](const TSMBios& s) {
         const auto& probe = *s.VoltageProbeInformation().at(0);
         return probe.GetLocation() + "/" + probe.GetStatus();
       },
       "Unknown/OK"},
      {"temperature probe location 14", StructureBuilder(28, 0x28, 0x16).Byte(0x05, 0x0E).Bytes(),
       [](const TSMBios& s) { return s.TemperatureProbeInformation().at(0)->GetLocation(); }, "Unknown"},
      {"cooling device type and status",
       StructureBuilder(27, 0x27, 0x0F).Byte(0x06, 0x67).Strings({"CPU fan"}).Byte(0x0E, 1).Bytes(),
       [](const TSMBios& s) {
         const auto& fan = *s.CoolingDeviceInformation().at(0);
         return fan.GetDeviceType() + "/" + fan.GetStatus() + "/" + fan.GetDescriptionStr();
       },
       "Power Supply Fan/OK/CPU fan"},
      {"on-board device",
       StructureBuilder(10, 0x0A, 0x06).Byte(0x04, 0x85).Byte(0x05, 1).Strings({"LAN"}).Bytes(),
       [](const TSMBios& s) {
         const auto& device = *s.OnBoardSystemInfo().at(0);
         return std::string(device.Enabled() ? "on/" : "off/") + device.GetTypeDescription() + "/" +
                device.GetDescription();
       },
       "on/Ethernet/LAN"},
  };
  for (const EdgeCase& edge : cases) {
    SCOPED_TRACE(edge.name);
    const auto smbios = SMBiosOf(edge.table);
    EXPECT_EQ(edge.read(*smbios), edge.expected);
  }
}

TEST(SMBiosDecoding, CacheFields) {
  const auto smbios = SMBiosOf(StructureBuilder(7, 7, 0x13)
                                   .Word(0x07, 0x8010)  // 16 units of 64 KB
                                   .Word(0x09, 0x0100)
                                   .Word(0x0B, 0x0024)
                                   .Word(0x0D, 0xFF80)  // bits above 6 name no SRAM type
                                   .Byte(0x10, 0x05)
                                   .Byte(0x11, 0x05)
                                   .Byte(0x12, 0x07)
                                   .Bytes());
  const TCacheInformation& cache = *smbios->CacheInfo().at(0);
  EXPECT_EQ(cache.GetMaximumCacheSize(), 1024u);
  EXPECT_EQ(cache.GetInstalledCacheSize(), 256u);
  EXPECT_EQ(cache.GetSupportedSRAMType(), TCacheSRAMTypes().set(SRNon_Burst).set(SRSynchronous));
  EXPECT_TRUE(cache.GetCurrentSRAMType().none());
  EXPECT_EQ(cache.GetErrorCorrectionType(), ECSingle_bitECC);
  EXPECT_EQ(cache.GetSystemCacheType(), SCUnified);
  EXPECT_EQ(cache.AssociativityStr(), "8-way Set-Associative");

  const auto odd = SMBiosOf(StructureBuilder(7, 7, 0x13).Byte(0x10, 7).Byte(0x11, 6).Bytes());
  EXPECT_EQ(odd->CacheInfo().at(0)->GetErrorCorrectionType(), ECUnknown);
  EXPECT_EQ(odd->CacheInfo().at(0)->GetSystemCacheType(), SCUnknown);
}

// Texts that look wrong but are the program's own, and the fallbacks of the tables.
TEST(SMBiosDecoding, TextsAsTheProgramShowsThem) {
  EXPECT_EQ(ChassisTypeText(16), "Lunc Box");
  EXPECT_EQ(ChassisTypeText(9), "LapTop");
  EXPECT_EQ(ConnectorTypeText(255), "Other  Use Reference Designator Strings to supply information");
  EXPECT_EQ(SlotTypeText(14), "PCI  66MHz Capable");
  EXPECT_EQ(ProcessorFamilyText(204), "z/Architecture base");
  EXPECT_EQ(ProcessorFamilyText(177),
            "Pentium\u00AE III Processor with Intel\u00AE SpeedStep\u2122 Technology");
  EXPECT_EQ(ProcessorFamilyText(254),
            "Indicator to obtain the processor family from the Processor Family 2 field");
  EXPECT_EQ(BoardTypeText(1), "Unknown");  // the table starts at 2
  EXPECT_EQ(PortTypeText(34), "Unknown");
  EXPECT_EQ(ProcessorUpgradeText(43), "Unknown");
  EXPECT_EQ(ProcessorFamilyText(22), "Available for assignment");
  EXPECT_EQ(ProcessorFamily2Text(511), "These values are available for assignment");
  EXPECT_EQ(ProcessorFamily2Text(65533), "Available for assignment");
  EXPECT_EQ(ProcessorFamily2Text(65535), "Reserved");
}

TEST(SMBiosDecoding, FieldsBeyondTheFormattedAreaReadAsZero) {
  // An SMBIOS 2.0 system structure ends before SKU Number and Family, and a short baseboard
  // before Board Type; their string numbers would be read from the string set otherwise.
  const auto smbios = SMBiosOf(Concat({
      StructureBuilder(1, 1, 0x08).Byte(0x04, 1).Strings({"Maker", "x", "y"}).Bytes(),
      StructureBuilder(2, 2, 0x08).Byte(0x04, 1).Strings({"Board"}).Bytes(),
      StructureBuilder(17, 0x11, 0x0D).Byte(0x0C, 0x10).Bytes(),  // size word cut in half
      EndOfTable(),
  }));
  EXPECT_EQ(smbios->SysInfo().ManufacturerStr(), "Maker");
  EXPECT_EQ(smbios->SysInfo().SKUNumberStr(), "");
  EXPECT_EQ(smbios->SysInfo().FamilyStr(), "");
  EXPECT_EQ(smbios->SysInfo().GetByte(0x08), 0);
  const TBaseBoardInformation& board = *smbios->BaseBoardInfo().at(0);
  EXPECT_EQ(board.ManufacturerStr(), "Board");
  EXPECT_EQ(board.BoardTypeStr(), "Unknown");
  EXPECT_EQ(board.LocationinChassisStr(), "");
  EXPECT_EQ(smbios->MemoryDeviceInfo().at(0)->GetSize(), 0u);
}

TEST(SMBiosDecoding, StringLookup) {
  const auto smbios = SMBiosOf(Concat({
      StructureBuilder(0, 0, 0x12)
          .Byte(0x04, 1)
          .Byte(0x05, 3)
          .Byte(0x08, 2)
          .Strings({"Vendor", "Date"})
          .Bytes(),
      StructureBuilder(1, 1, 0x1B).Byte(0x04, 1).Byte(0x05, 2).Bytes(),  // names strings, has none
      EndOfTable(),
  }));
  EXPECT_EQ(smbios->BiosInfo().VendorStr(), "Vendor");
  EXPECT_EQ(smbios->BiosInfo().VersionStr(), "");  // string 3 of a set of two
  EXPECT_EQ(smbios->BiosInfo().ReleaseDateStr(), "Date");
  EXPECT_EQ(smbios->BiosInfo().GetString(0), "");
  EXPECT_EQ(smbios->SysInfo().ManufacturerStr(), "");
  EXPECT_EQ(smbios->SysInfo().ProductNameStr(), "");
  EXPECT_EQ(smbios->SysInfo().VersionStr(), "");
}

TEST(SMBiosDecoding, TableWithoutBiosAndSystemStructures) {
  // The processor stands first, at offset 0; the BIOS and system objects exist but hold nothing.
  const auto smbios = SMBiosOf(Concat({
      StructureBuilder(4, 0x04, 0x2A).Byte(0x04, 1).Strings({"CPU0"}).Bytes(),
      EndOfTable(),
  }));
  ASSERT_TRUE(smbios->HasProcessorInfo());
  EXPECT_EQ(smbios->ProcessorInfo().at(0)->Index(), 0);
  EXPECT_EQ(smbios->ProcessorInfo().at(0)->SocketDesignationStr(), "CPU0");
  EXPECT_EQ(smbios->BiosInfo().RAWBiosInformation(), nullptr);
  EXPECT_EQ(smbios->SysInfo().RAWSystemInformation(), nullptr);
  EXPECT_EQ(smbios->BiosInfo().VendorStr(), "");
  EXPECT_EQ(smbios->SysInfo().ProductNameStr(), "");
  EXPECT_FALSE(smbios->HasBaseBoardInfo());
  EXPECT_FALSE(smbios->HasMemoryDeviceInfo());
}

}  // namespace
}  // namespace vsm
