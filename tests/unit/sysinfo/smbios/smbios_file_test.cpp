// SMBIOS tables in files: the program's dump file, the entry-point scan of a memory image, and
// dmidecode's dumps, with the errors each gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "smbios_builder.h"
#include "sysinfo/smbios/SMBiosDump.h"
#include "sysinfo/smbios/uSMBIOS.h"

namespace vsm {
namespace {

namespace fs = std::filesystem;

const fs::path kFixture = fs::path(VSM_FIXTURE_DIR) / "smbios" / "uroot__MSI-MS-7816.bin";

// A file in a fresh folder that the test removes again.
class FileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vsm_smbios_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  template <typename Call>
  static std::string ErrorOf(Call call) {
    try {
      call();
    } catch (const ESMBiosError& error) {
      return error.what();
    }
    return "no error";
  }

  fs::path dir_;
};

std::vector<uint8_t> FixtureBytes() { return ReadSMBiosFile(kFixture.string()); }

// The fixture's entry point and the table behind it, laid out as the memory-image scan expects
// them: the table right after the 31 bytes of the entry point.
std::vector<uint8_t> EntryPointWithTable() {
  const std::vector<uint8_t> dump = FixtureBytes();
  std::vector<uint8_t> image(dump.begin(), dump.begin() + 31);
  image.insert(image.end(), dump.begin() + 0x20, dump.end());
  return image;
}

TEST_F(FileTest, SaveAndLoadKeepTheTableAndItsVersion) {
  TRawSMBIOSData raw = *DecodeDmidecodeDump(FixtureBytes());
  raw.DmiRevision = 0x27;
  const TSMBios original(raw);
  const std::string file = (dir_ / "table.dat").string();
  original.SaveToFile(file);

  const std::vector<uint8_t> written = ReadSMBiosFile(file);
  ASSERT_EQ(written.size(), 8 + raw.SMBIOSTableData.size());
  EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.begin() + 8),
            (std::vector<uint8_t>{0, 2, 8, 0x27, 0x18, 0x0C, 0, 0}));  // 3096 bytes

  const TSMBios loaded(file);
  EXPECT_EQ(loaded.RawSMBIOSData().SMBIOSTableData, raw.SMBIOSTableData);
  EXPECT_EQ(loaded.RawSMBIOSData().DmiRevision, 0x27);
  EXPECT_EQ(loaded.SmbiosVersion(), "2.8");
  EXPECT_EQ(loaded.SMBiosTablesList().size(), original.SMBiosTablesList().size());
  EXPECT_EQ(loaded.BiosInfo().VendorStr(), "American Megatrends Inc.");
}

TEST_F(FileTest, LoadFromFileReplacesTableIndexAndObjects) {
  TSMBios smbios(test::RawTable(test::Concat({test::StructureBuilder(4, 4, 0x2A).Bytes()})));
  ASSERT_EQ(smbios.ProcessorInfo().size(), 1u);
  const std::string file = Write("dump.dat", EncodeSMBiosDump(*DecodeDmidecodeDump(FixtureBytes())));
  smbios.LoadFromFile(file);
  EXPECT_EQ(smbios.SMBiosTablesList().size(), 81u);
  ASSERT_TRUE(smbios.HasMemoryDeviceInfo());
  EXPECT_EQ(smbios.MemoryDeviceInfo().front()->GetDeviceLocatorStr(), "ChannelA-DIMM0");
  EXPECT_EQ(smbios.ProcessorInfo().front()->SocketDesignationStr(), "SOCKET 0");
}

TEST_F(FileTest, ShortDumpFilesFailWithTheReadError) {
  const std::vector<uint8_t> dump = EncodeSMBiosDump(*DecodeDmidecodeDump(FixtureBytes()));
  const std::string shortHeader = Write("header.dat", {0, 2, 8, 0, 0x18});
  const std::string shortTable = Write("table.dat", {dump.begin(), dump.end() - 1});
  const std::string missing = (dir_ / "missing.dat").string();
  EXPECT_EQ(ErrorOf([&] { TSMBios s(shortHeader); }), "Stream read error");
  EXPECT_EQ(ErrorOf([&] { TSMBios s(shortTable); }), "Stream read error");
  EXPECT_EQ(ErrorOf([&] { TSMBios s(missing); }), "Cannot open file \"" + missing + "\"");
  // A header claiming 4 GB is refused before anything is allocated for it.
  EXPECT_EQ(ErrorOf([&] {
              TSMBios s(Write("huge.dat", {0, 3, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1}));
            }),
            "Stream read error");

  // A failed load leaves the table as it was.
  TSMBios smbios(test::RawTable(test::Concat({test::StructureBuilder(4, 4, 0x2A).Bytes()})));
  EXPECT_THROW(smbios.LoadFromFile(shortTable), ESMBiosError);
  EXPECT_EQ(smbios.ProcessorInfo().size(), 1u);
  EXPECT_EQ(smbios.SmbiosVersion(), "2.8");
}

TEST_F(FileTest, SaveToFileReportsAFolderThatCannotBeWritten) {
  const TSMBios smbios(test::RawTable({}));
  const std::string file = (dir_ / "no" / "such" / "folder.dat").string();
  EXPECT_EQ(ErrorOf([&] { smbios.SaveToFile(file); }), "Cannot create file \"" + file + "\"");
}

TEST_F(FileTest, FindAndLoadFromFileScansForTheEntryPoint) {
  // The entry point at 0x40, behind junk and a candidate whose checksum is wrong at 0x10.
  std::vector<uint8_t> image(0x40, 0xAA);
  std::vector<uint8_t> decoy = EntryPointWithTable();
  decoy.resize(31);
  decoy[4] ^= 1;
  std::copy(decoy.begin(), decoy.end(), image.begin() + 0x10);
  const std::vector<uint8_t> real = EntryPointWithTable();
  image.insert(image.end(), real.begin(), real.end());

  TSMBios smbios(test::RawTable({}));
  smbios.FindAndLoadFromFile(Write("image.bin", image));
  EXPECT_EQ(smbios.SmbiosVersion(), "2.8");
  EXPECT_EQ(smbios.RawSMBIOSData().Length, 3096u);
  EXPECT_EQ(smbios.SMBiosTablesList().size(), 81u);
  EXPECT_EQ(smbios.BiosInfo().VersionStr(), "V2.14B14");
  EXPECT_EQ(smbios.SysInfo().ProductNameStr(), "MS-7816");
}

TEST_F(FileTest, FindAndLoadFromFileFailures) {
  const std::vector<uint8_t> real = EntryPointWithTable();
  std::vector<uint8_t> offBoundary(8, 0);  // an entry point off the 16-byte grid is not looked at
  offBoundary.insert(offBoundary.end(), real.begin(), real.end());
  std::vector<uint8_t> badChecksum = real;
  badChecksum[0x15] ^= 0xFF;  // a byte the checksum covers
  std::vector<uint8_t> noDmiAnchor = real;
  noDmiAnchor[0x11] = 'X';
  const std::vector<uint8_t> entryPointOnly(real.begin(), real.begin() + 31);

  for (const auto& [name, bytes] :
       std::vector<std::pair<std::string, std::vector<uint8_t>>>{{"empty.bin", {}},
                                                                 {"offgrid.bin", offBoundary},
                                                                 {"checksum.bin", badChecksum},
                                                                 {"anchor.bin", noDmiAnchor},
                                                                 {"nothing_behind.bin", entryPointOnly}}) {
    const std::string file = Write(name, bytes);
    TSMBios smbios(test::RawTable({}));
    EXPECT_EQ(ErrorOf([&] { smbios.FindAndLoadFromFile(file); }),
              "SMBIOS information not found in file " + file);
  }
}

TEST(SMBiosDumpFormats, DmidecodeDumps) {
  // 2.x: the fixtures themselves.
  const TRawSMBIOSData two = *DecodeDmidecodeDump(FixtureBytes());
  EXPECT_EQ(two.SMBIOSMajorVersion, 2);
  EXPECT_EQ(two.SMBIOSMinorVersion, 8);
  EXPECT_EQ(two.Length, 3096u);
  EXPECT_EQ(two.SMBIOSTableData[0], 0);  // the BIOS structure at 0x20
  EXPECT_EQ(two.SMBIOSTableData[1], 0x18);

  // 3.x, and an entry point whose table lies outside the file.
  const auto v3 = fs::path(VSM_FIXTURE_DIR) / "smbios" / "uroot__GigaByte-X399.bin";
  std::vector<uint8_t> bytes = ReadSMBiosFile(v3.string());
  const TRawSMBIOSData three = *DecodeDmidecodeDump(bytes);
  EXPECT_EQ(three.SMBIOSMajorVersion, 3);
  EXPECT_EQ(three.SMBIOSMinorVersion, 1);
  EXPECT_EQ(three.Length, bytes.size() - 0x20);
  bytes[0x13] = 0xFF;  // table address 0xFF000020
  EXPECT_FALSE(DecodeDmidecodeDump(bytes).has_value());

  // Without an entry point the whole file is the table.
  const std::vector<uint8_t> table = test::EndOfTable();
  const TRawSMBIOSData bare = *DecodeDmidecodeDump(table);
  EXPECT_EQ(bare.SMBIOSTableData, table);
  EXPECT_EQ(bare.SMBIOSMajorVersion, 0);
}

}  // namespace
}  // namespace vsm
