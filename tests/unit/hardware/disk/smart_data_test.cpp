#include <gtest/gtest.h>

#include <sstream>

#include "AtaFixtures.h"
#include "hardware/disk/DiskType.h"
#include "hardware/disk/SmartData.h"

namespace vsm {
namespace {

using test::ata::FixtureBytes;
using test::ata::FixtureDrives;
using test::ata::Smart;

std::string SkdumpText(const std::string& drive) {
  std::vector<uint8_t> bytes = FixtureBytes(drive + ".skdump.txt");
  return std::string(bytes.begin(), bytes.end());
}

// The attribute rows of skdump's table: ID and the rest of the line.
std::vector<std::pair<int, std::string>> SkdumpAttributes(const std::string& drive) {
  std::vector<std::pair<int, std::string>> rows;
  std::istringstream in(SkdumpText(drive));
  std::string line;
  bool table = false;
  while (std::getline(in, line)) {
    if (line.rfind("ID#", 0) == 0) {
      table = true;
      continue;
    }
    if (!table || line.empty()) continue;
    rows.emplace_back(std::stoi(line), line);
  }
  return rows;
}

// skdump's "Pretty" column of attribute 194 in degrees, e.g. "30.0 C" -> 30.
std::optional<double> SkdumpTemperature194(const std::string& drive) {
  for (const auto& [id, line] : SkdumpAttributes(drive)) {
    if (id != 194) continue;
    size_t c = line.find(" C ");
    size_t start = line.rfind(' ', c - 1) + 1;
    return std::stod(line.substr(start, c - start));
  }
  return std::nullopt;
}

// Real blocks with attributes renamed or changed, for the drive families the fixtures lack.
void RenameAttribute(std::vector<uint8_t>& block, uint8_t from, uint8_t to) {
  auto slot = FindSmartAttribute(block, from);
  ASSERT_TRUE(slot) << int(from);
  block[2 + 12 * *slot] = to;
}
void SetRaw0(std::vector<uint8_t>& block, uint8_t id, uint8_t value) {
  auto slot = FindSmartAttribute(block, id);
  ASSERT_TRUE(slot) << int(id);
  block[2 + 12 * *slot + 5] = value;
}

TEST(SmartData, AttributeTablesMatchSkdump) {
  int blocks = 0;
  for (const std::string& drive : FixtureDrives()) {
    std::vector<uint8_t> block = Smart(drive);
    if (block.empty()) continue;
    SCOPED_TRACE(drive);
    ++blocks;
    ASSERT_EQ(block.size(), kSmartBlockSize);
    std::vector<int> ours, theirs;
    for (const TSmartAttribute& a : SmartAttributes(block)) ours.push_back(a.Id);
    for (const auto& row : SkdumpAttributes(drive)) theirs.push_back(row.first);
    EXPECT_EQ(ours, theirs);
  }
  EXPECT_EQ(blocks, 16);
}

TEST(SmartData, GenericDisksReadTheFirstRawByteOfAttribute194) {
  for (const std::string& drive : FixtureDrives()) {
    std::vector<uint8_t> block = Smart(drive);
    if (block.empty()) continue;
    SCOPED_TRACE(drive);
    // Every fixture but the Intel SSD is a generic disk to the type table.
    THddtypes type =
        ChooseDiskType(drive.find("INTEL") != std::string::npos ? "INTEL SSDSA2MH080G1GC" : "Model", block);
    std::optional<double> expected = SkdumpTemperature194(drive);
    if (drive.find("INTEL") != std::string::npos) {
      EXPECT_EQ(type, THddtypes::SSDIntel);
      EXPECT_FALSE(TemperatureAttributeId(type));
      continue;
    }
    ASSERT_EQ(type, THddtypes::GenericHarddisk);
    auto slot = FindSmartAttribute(block, *TemperatureAttributeId(type));
    ASSERT_EQ(slot.has_value(), expected.has_value());
    if (slot) {
      EXPECT_EQ(TemperatureOf(type, *SmartAttributeAt(block, *slot)), *expected);
    }
  }
}

TEST(SmartData, TypeTableByModelAndAttributes) {
  std::vector<uint8_t> kingston = Smart("libblockdev__KINGSTON_SA400S37240G_SBFK71B1");
  std::vector<uint8_t> intel = Smart("libatasmart__INTEL_SSDSA2MH080G1GC--045C8820");
  std::vector<uint8_t> sandforce = kingston;
  RenameAttribute(sandforce, 148, 0xAB);
  RenameAttribute(sandforce, 149, 0xB1);

  struct Case {
    const char* model;
    const std::vector<uint8_t>* block;
    THddtypes type;
  };
  const Case cases[] = {
      {"KINGSTON SA400S37240G", &kingston, THddtypes::GenericHarddisk},
      {"PLEXTOR PX-256M5S", &kingston, THddtypes::SSDPlextor},       // prefix alone suffices
      {"plextor PX-256M5S", &kingston, THddtypes::GenericHarddisk},  // case-sensitive
      {"INTEL SSDSA2MH080G1GC", &intel, THddtypes::SSDIntel},
      {"Intel SSDSA2MH080G1GC", &intel, THddtypes::GenericHarddisk},
      {"INTEL SSDSC2BW240A4", &kingston, THddtypes::GenericHarddisk},  // prefix without the attributes
      {"OCZ-VERTEX3", &sandforce, THddtypes::SSDSandforce},
      {"INTEL SSDSC2CW240A3", &sandforce, THddtypes::SSDSandforce},  // Intel's prefix, Sandforce attributes
      {"", &sandforce, THddtypes::GenericHarddisk},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseDiskType(c.model, *c.block), c.type) << c.model;
  EXPECT_EQ(ChooseDiskType("PLEXTOR", ByteView()), THddtypes::SSDPlextor);
  EXPECT_EQ(ChooseDiskType("OCZ-VERTEX3", ByteView()), THddtypes::GenericHarddisk);
}

TEST(SmartData, SandforceReportsTheCurrentValueOf194) {
  std::vector<uint8_t> block = Smart("libblockdev__KINGSTON_SA400S37240G_SBFK71B1");
  RenameAttribute(block, 148, 0xAB);
  RenameAttribute(block, 149, 0xB1);
  THddtypes type = ChooseDiskType("SandForce 1st Ed.", block);
  ASSERT_EQ(type, THddtypes::SSDSandforce);
  ASSERT_EQ(TemperatureAttributeId(type), 194);
  auto attribute = SmartAttributeAt(block, *FindSmartAttribute(block, 194));
  EXPECT_EQ(TemperatureOf(type, *attribute), 74);                        // current value
  EXPECT_EQ(TemperatureOf(THddtypes::GenericHarddisk, *attribute), 26);  // the raw byte skdump shows
}

TEST(SmartData, SamsungSsdsReportAttribute190) {
  std::vector<uint8_t> block = Smart("libatasmart__SAMSUNG_HD501LJ--CR100-12");
  // The Samsung SSD attribute set: 187, 195 and 199 are there; rename five others.
  RenameAttribute(block, 7, 0xB1);
  RenameAttribute(block, 8, 0xB3);
  RenameAttribute(block, 10, 0xB5);
  RenameAttribute(block, 11, 0xB6);
  RenameAttribute(block, 13, 0xB7);
  SetRaw0(block, 190, 41);
  THddtypes type = ChooseDiskType("Samsung SSD 850 PRO 256GB", block);
  ASSERT_EQ(type, THddtypes::SDSamsung);
  ASSERT_EQ(TemperatureAttributeId(type), 190);
  EXPECT_EQ(TemperatureOf(type, *SmartAttributeAt(block, *FindSmartAttribute(block, 190))), 41);
}

TEST(SmartData, OnlyTheThirtyAttributeSlotsWithinTheBlockCount) {
  std::vector<uint8_t> block(kSmartBlockSize, 0);
  block[2 + 12 * 29] = 0xC2;  // slot 29, the last one
  block[2 + 12 * 30] = 0xBE;  // where a 31st entry would be: offline status bytes, not an attribute
  EXPECT_EQ(FindSmartAttribute(block, 0xC2), 29);
  EXPECT_FALSE(FindSmartAttribute(block, 0xBE));
  EXPECT_FALSE(FindSmartAttribute(ByteView(block.data(), 2 + 12 * 29 + 11), 0xC2));  // cut inside the entry
  EXPECT_FALSE(FindSmartAttribute(block, 0));  // empty slots are not attribute 0
  EXPECT_TRUE(SmartAttributes(ByteView()).empty());
}

}  // namespace
}  // namespace vsm
