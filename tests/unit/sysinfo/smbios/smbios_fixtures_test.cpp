// The real SMBIOS dumps in tests/fixtures/smbios, decoded and compared with what dmidecode printed
// for each of them (the *.bin.txt beside every dump).
#include <gtest/gtest.h>

#include <cstdio>

#include "dmidecode_compare.h"
#include "dmidecode_output.h"
#include "smbios_fixtures.h"
#include "sysinfo/smbios/uSMBIOS.h"

namespace vsm {
namespace {

using test::DmiOutput;
using test::DmiRecord;

void ExpectString(const DmiRecord& record, const char* key, const std::string& ours) {
  EXPECT_TRUE(test::SameDmiString(record.Get(key), ours)) << "handle " << record.handle << " " << key;
}

// A number that dmidecode prints with a unit, or "Unknown" for 0.
void ExpectNumber(const DmiRecord& record, const char* key, uint64_t ours) {
  SCOPED_TRACE(testing::Message() << "handle " << record.handle << " " << key);
  const std::optional<std::string> theirs = record.Get(key);
  ASSERT_TRUE(theirs.has_value());
  if (*theirs == "Unknown") {
    EXPECT_EQ(ours, 0u);
  } else {
    EXPECT_EQ(test::ParseDmiNumber(*theirs), ours) << *theirs;
  }
}

// A link by handle: where dmidecode names a handle that a structure of the table carries, the
// program links that structure; otherwise ("Not Provided", "No L2 Cache", a dangling handle) none.
void ExpectLink(const DmiRecord& record, const char* key, const std::vector<const DmiRecord*>& targets,
                const TSMBiosStructure* linked) {
  SCOPED_TRACE(testing::Message() << "handle " << record.handle << " " << key);
  const std::optional<std::string> theirs = record.Get(key);
  unsigned handle = 0;
  const bool named = theirs && std::sscanf(theirs->c_str(), "0x%x", &handle) == 1;
  const bool exists = named && std::any_of(targets.begin(), targets.end(),
                                           [&](const DmiRecord* t) { return t->handle == handle; });
  if (exists) {
    ASSERT_NE(linked, nullptr);
    EXPECT_EQ(linked->Handle(), handle);
  } else {
    EXPECT_EQ(linked, nullptr);
  }
}

class RealDump : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    smbios_ = test::LoadSMBiosDump(GetParam());
    ASSERT_NE(smbios_, nullptr);
    dmi_ = test::DmidecodeOutputOf(GetParam());
    ASSERT_FALSE(dmi_.records.empty());
  }

  std::unique_ptr<TSMBios> smbios_;
  DmiOutput dmi_;
};

TEST_P(RealDump, IndexHoldsTheStructuresDmidecodeShows) {
  const ArrSMBiosTableEntry& index = smbios_->SMBiosTablesList();
  ASSERT_EQ(index.size(), dmi_.records.size());
  for (size_t i = 0; i < index.size(); ++i) {
    EXPECT_EQ(index[i].Header.Handle, dmi_.records[i].handle) << i;
    EXPECT_EQ(index[i].Header.TableType, dmi_.records[i].type) << i;
    EXPECT_EQ(index[i].Header.Length, dmi_.records[i].length) << i;
  }
  // dmidecode gives three parts for 3.x tables ("3.2.1"); the program shows major.minor.
  EXPECT_EQ(dmi_.version.rfind(smbios_->SmbiosVersion(), 0), 0u) << dmi_.version;

  const std::pair<TSMBiosTablesTypes, size_t> counts[] = {
      {BaseBoardInformation, smbios_->BaseBoardInfo().size()},
      {EnclosureInformation, smbios_->EnclosureInfo().size()},
      {ProcessorInformation, smbios_->ProcessorInfo().size()},
      {CacheInformation, smbios_->CacheInfo().size()},
      {PortConnectorInformation, smbios_->PortConnectorInfo().size()},
      {SystemSlotsInformation, smbios_->SystemSlotInfo().size()},
      {PhysicalMemoryArray, smbios_->PhysicalMemoryArrayInfo().size()},
      {MemoryDevice, smbios_->MemoryDeviceInfo().size()},
      {PortableBattery, smbios_->BatteryInformation().size()},
      {TemperatureProbe, smbios_->TemperatureProbeInformation().size()},
      {OnBoardDevicesInformation, smbios_->OnBoardSystemInfo().size()},
  };
  for (const auto& [type, count] : counts) {
    EXPECT_EQ(count, dmi_.OfType(type).size()) << "type " << int(type);
    EXPECT_EQ(static_cast<size_t>(smbios_->GetSMBiosTableEntries(type)), count);
  }
  EXPECT_EQ(smbios_->GetSMBiosTableEntries(EndofTable), 0);
}

TEST_P(RealDump, BiosAndSystemStrings) {
  const auto bios = dmi_.OfType(BIOSInformation);
  if (bios.empty()) {
    EXPECT_EQ(smbios_->BiosInfo().Raw(), nullptr);
    EXPECT_EQ(smbios_->BiosInfo().VendorStr(), "");
  } else {
    ExpectString(*bios[0], "Vendor", smbios_->BiosInfo().VendorStr());
    ExpectString(*bios[0], "Version", smbios_->BiosInfo().VersionStr());
    ExpectString(*bios[0], "Release Date", smbios_->BiosInfo().ReleaseDateStr());
  }
  const auto system = dmi_.OfType(SystemInformation);
  ASSERT_FALSE(system.empty());
  const TSystemInformation& sys = smbios_->SysInfo();
  ExpectString(*system[0], "Manufacturer", sys.ManufacturerStr());
  ExpectString(*system[0], "Product Name", sys.ProductNameStr());
  ExpectString(*system[0], "Version", sys.VersionStr());
  ExpectString(*system[0], "Serial Number", sys.SerialNumberStr());
  ExpectString(*system[0], "SKU Number", sys.SKUNumberStr());
  ExpectString(*system[0], "Family", sys.FamilyStr());
}

TEST_P(RealDump, BaseBoardStrings) {
  const auto boards = dmi_.OfType(BaseBoardInformation);
  ASSERT_EQ(boards.size(), smbios_->BaseBoardInfo().size());
  for (size_t i = 0; i < boards.size(); ++i) {
    const TBaseBoardInformation& board = *smbios_->BaseBoardInfo()[i];
    ExpectString(*boards[i], "Manufacturer", board.ManufacturerStr());
    ExpectString(*boards[i], "Product Name", board.ProductStr());
    ExpectString(*boards[i], "Version", board.VersionStr());
    ExpectString(*boards[i], "Serial Number", board.SerialNumberStr());
    ExpectString(*boards[i], "Asset Tag", board.AssetTagStr());
    ExpectString(*boards[i], "Location In Chassis", board.LocationinChassisStr());
  }
}

TEST_P(RealDump, Processors) {
  const auto processors = dmi_.OfType(ProcessorInformation);
  const auto caches = dmi_.OfType(CacheInformation);
  ASSERT_EQ(processors.size(), smbios_->ProcessorInfo().size());
  for (size_t i = 0; i < processors.size(); ++i) {
    const DmiRecord& record = *processors[i];
    const TProcessorInformation& cpu = *smbios_->ProcessorInfo()[i];
    ExpectString(record, "Socket Designation", cpu.SocketDesignationStr());
    ExpectString(record, "Manufacturer", cpu.ProcessorManufacturerStr());
    ExpectString(record, "Version", cpu.ProcessorVersionStr());
    EXPECT_EQ(record.Get("Type"), cpu.ProcessorTypeStr());

    const std::string family = record.Get("Family").value_or("");
    ASSERT_TRUE(test::kDmiFamilyTexts.count(family)) << "no known text for family " << family;
    EXPECT_EQ(cpu.ProcessorFamilyStr(), test::kDmiFamilyTexts.at(family));

    // The processor page shows the Max Speed (14h) and Current Speed (16h) words.
    ExpectNumber(record, "Max Speed", cpu.GetWord(0x14));
    ExpectNumber(record, "Current Speed", cpu.GetWord(0x16));

    // dmidecode lists every legacy voltage; the program takes the first of them.
    double volts = 0;
    std::sscanf(record.Get("Voltage").value_or("").c_str(), "%lf", &volts);
    EXPECT_DOUBLE_EQ(cpu.GetProcessorVoltaje(), volts) << *record.Get("Voltage");

    ExpectLink(record, "L1 Cache Handle", caches, cpu.L1Chache);
    ExpectLink(record, "L2 Cache Handle", caches, cpu.L2Chache);
    ExpectLink(record, "L3 Cache Handle", caches, cpu.L3Chache);
  }
}

TEST_P(RealDump, MemoryDevices) {
  const auto devices = dmi_.OfType(MemoryDevice);
  const auto arrays = dmi_.OfType(PhysicalMemoryArray);
  ASSERT_EQ(devices.size(), smbios_->MemoryDeviceInfo().size());
  for (size_t i = 0; i < devices.size(); ++i) {
    const DmiRecord& record = *devices[i];
    const TMemoryDeviceInformation& device = *smbios_->MemoryDeviceInfo()[i];
    ExpectString(record, "Locator", device.GetDeviceLocatorStr());
    ExpectString(record, "Bank Locator", device.GetBankLocatorStr());

    const std::string size = record.Get("Size").value_or("");
    if (size == "No Module Installed") {
      EXPECT_EQ(device.GetSize(), 0u);
    } else if (size != "Unknown") {  // FFFFh: the program reads it as 32767 KB
      EXPECT_EQ(test::ParseDmiSizeMb(size), device.GetSize()) << size;
    }
    // For an empty slot dmidecode leaves out the module's own fields.
    if (device.GetSize() != 0) {
      ExpectString(record, "Manufacturer", device.ManufacturerStr());
      ExpectString(record, "Serial Number", device.SerialNumberStr());
      ExpectString(record, "Asset Tag", device.AssetTagStr());
      ExpectString(record, "Part Number", device.PartNumberStr());
      // The memory page shows the Speed word (15h); FFFFh sends dmidecode to the extended speed.
      if (device.GetWord(0x15) != 0xFFFF) ExpectNumber(record, "Speed", device.GetWord(0x15));
    }

    EXPECT_EQ(device.GetMemoryTypeStr(), test::ProgramMemoryTypeText(record.Get("Type").value_or("")));

    ExpectLink(record, "Array Handle", arrays, device.PhysicalMemoryArray);
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RealDump, testing::ValuesIn(test::SMBiosDumpNames()), test::DumpTestName);

}  // namespace
}  // namespace vsm
