#include <gtest/gtest.h>

#include "AtaFixtures.h"
#include "FakeStorage.h"
#include "hardware/disk/HardDisk.h"
#include "hardware/disk/NvmeHealthLog.h"
#include "hardware/disk/SmartCommand.h"
#include "hardware/disk/StorageProperties.h"

namespace vsm {
namespace {

using test::FakeDrive;
using test::FakeDriveState;

void Put128(std::vector<uint8_t>& log, size_t at, uint64_t value) { PutLe(log, at, value, 8); }

// No binary dump of a health log page could be found published, so the page is laid out in the
// byte layout of NVMe log page 02h (SMART / health information) and filled with the values
// smartctl printed for a real drive (APPLE SSD AP0256Z): 32 Celsius, spare 100 % (threshold 99 %), 2 % used,
// 107103479 units read, 62786553 written, 2354229498 read and 852488786 write commands, 151 power
// cycles, 870 power-on hours, 9 unsafe shutdowns.
std::vector<uint8_t> AppleSsdHealthLog() {
  std::vector<uint8_t> log(512, 0);
  PutLe(log, 1, 32 + 273, 2);
  log[3] = 100;
  log[4] = 99;
  log[5] = 2;
  Put128(log, 32, 107103479);
  Put128(log, 48, 62786553);
  Put128(log, 64, 2354229498);
  Put128(log, 80, 852488786);
  Put128(log, 112, 151);
  Put128(log, 128, 870);
  Put128(log, 144, 9);
  return log;
}

TEST(NvmeHealthLog, TheQueryAsksForLogPage02hIntoTheSpaceAfterIt) {
  std::vector<uint8_t> q = NvmeHealthLogQuery();
  ASSERT_EQ(q.size(), 560u);
  ByteView v(q);
  EXPECT_EQ(v.U32(0), 50u);  // StorageDeviceProtocolSpecificProperty
  EXPECT_EQ(v.U32(4), 0u);   // standard query
  EXPECT_EQ(v.U32(8), 3u);   // ProtocolTypeNvme
  EXPECT_EQ(v.U32(12), 2u);  // NVMeDataTypeLogPage
  EXPECT_EQ(v.U32(16), 2u);  // SMART / health information
  EXPECT_EQ(v.U32(20), 0u);
  EXPECT_EQ(v.U32(24), 40u);  // data right after the protocol data
  EXPECT_EQ(v.U32(28), 512u);
}

TEST(NvmeHealthLog, ReadsTemperatureWearAndHoursOfARealDrive) {
  const std::vector<uint8_t> reply = test::ProtocolDataReplyBytes(AppleSsdHealthLog());
  auto log = NvmeHealthLogOf(reply);
  ASSERT_TRUE(log);
  auto health = DecodeNvmeHealthLog(*log);
  ASSERT_TRUE(health);
  EXPECT_EQ(health->Temperature, 32);
  EXPECT_EQ(health->PercentageUsed, 2);
  EXPECT_EQ(health->PowerOnHours, 870u);

  std::vector<uint8_t> cold = AppleSsdHealthLog();
  PutLe(cold, 1, 0, 2);  // a drive without a composite temperature
  EXPECT_EQ(DecodeNvmeHealthLog(cold)->Temperature, 0);
  EXPECT_FALSE(DecodeNvmeHealthLog(ByteView(cold).Sub(0, 511)));
}

// The reply says where its data lies; nothing is read outside what the device returned.
TEST(NvmeHealthLog, DataOutsideTheReplyIsNotRead) {
  struct Case {
    const char* what;
    size_t cut;       // bytes of the reply delivered
    uint32_t offset;  // protocol data offset
    uint32_t length;  // protocol data length
  };
  const Case cases[] = {
      {"one byte short", 559, 40, 512},
      {"only the descriptor", 48, 40, 512},
      {"header cut", 20, 40, 512},
      {"offset past the end", 560, 0x7FFFFFF0, 512},
      {"offset wrapping", 560, 0xFFFFFFFF, 512},
      {"offset inside the protocol data", 560, 8, 512},
      {"shorter than a page", 560, 40, 100},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> reply = test::ProtocolDataReplyBytes(AppleSsdHealthLog());
    PutLe(reply, 24, c.offset, 4);
    PutLe(reply, 28, c.length, 4);
    reply.resize(c.cut);
    EXPECT_FALSE(NvmeHealthLogOf(reply)) << c.what;
  }
}

TEST(StorageTemperature, TheFirstSensorWithinTheDescriptor) {
  EXPECT_EQ(DecodeStorageTemperature(test::StorageTemperatureBytes({41, 55})), 41);
  EXPECT_EQ(DecodeStorageTemperature(test::StorageTemperatureBytes({-5})), -5);
  EXPECT_FALSE(DecodeStorageTemperature(test::StorageTemperatureBytes({})));
  std::vector<uint8_t> cut = test::StorageTemperatureBytes({41});
  cut.resize(30);  // the sensor entry is not wholly there
  EXPECT_FALSE(DecodeStorageTemperature(cut));
  std::vector<uint8_t> small = test::StorageTemperatureBytes({41});
  PutLe(small, 4, 24, 4);  // the descriptor claims no room for a sensor
  EXPECT_FALSE(DecodeStorageTemperature(small));
}

// What an NVMe drive behind the inbox driver answers: no ATA command, an INQUIRY translated by
// the driver, the device descriptor filled from the controller's identify data.
std::shared_ptr<FakeDriveState> NvmeDrive() {
  auto state = std::make_shared<FakeDriveState>();
  std::vector<uint8_t> inquiry(96, ' ');
  const std::string vendor = "NVMe    ", product = "APPLE SSD AP0256";
  std::copy(vendor.begin(), vendor.end(), inquiry.begin() + 8);
  std::copy(product.begin(), product.end(), inquiry.begin() + 16);
  state->inquiry = inquiry;
  state->smartEnable = false;
  state->geometry = test::GeometryBytes(31130, 12, 255, 63, 512, 251000193024);
  state->deviceDescriptor =
      test::DeviceDescriptorBytes(kBusTypeNvme, "0ba01f1144582433", "355", "APPLE SSD AP0256Z");
  state->temperature = test::StorageTemperatureBytes({33});
  state->nvmeHealthLog = AppleSsdHealthLog();
  state->power = TDevicePower::On;
  return state;
}

size_t AtaSmartRequests(const FakeDriveState& state) {
  return state.CountRequests(kSmartSendDriveCommand) + state.CountRequests(kSmartRcvDriveData) -
         1;  // one IDENTIFY
}

TEST(NvmeDisk, IdentityFromTheDescriptorTemperatureAndHealthWithoutAtaCommands) {
  auto state = NvmeDrive();
  THardDisk disk(2, std::make_unique<FakeDrive>(state));
  EXPECT_TRUE(disk.IsNvme());
  EXPECT_EQ(disk.Name(), "APPLE SSD AP0256Z");
  EXPECT_EQ(disk.SerialNumber(), "0ba01f1144582433");
  EXPECT_EQ(disk.FirmwareRevision(), "355");
  EXPECT_EQ(disk.Size(), 251000193024u);
  EXPECT_EQ(AtaSmartRequests(*state), 0u);
  EXPECT_TRUE(disk.HasTempSensor());
  EXPECT_EQ(disk.GetTemperature(), 33);  // the property before the log's 32
  ASSERT_TRUE(disk.HealthLog());
  EXPECT_EQ(disk.HealthLog()->PercentageUsed, 2);
  EXPECT_EQ(disk.HealthLog()->PowerOnHours, 870u);

  state->temperature = test::StorageTemperatureBytes({47});
  PutLe(state->nvmeHealthLog, 128, 871, 8);
  disk.Update();
  EXPECT_EQ(disk.GetTemperature(), 47);
  EXPECT_EQ(disk.HealthLog()->PowerOnHours, 871u);
  EXPECT_EQ(AtaSmartRequests(*state), 0u);
}

// Before Windows 10 there is no temperature property: the log's composite temperature serves.
TEST(NvmeDisk, TheHealthLogAloneGivesTheTemperature) {
  auto state = NvmeDrive();
  state->temperature.reset();
  THardDisk disk(0, std::make_unique<FakeDrive>(state));
  EXPECT_TRUE(disk.HasTempSensor());
  EXPECT_EQ(disk.GetTemperature(), 32);
}

TEST(NvmeDisk, ADriveInStandbyIsNotAskedAndKeepsItsReadings) {
  auto state = NvmeDrive();
  THardDisk disk(0, std::make_unique<FakeDrive>(state));
  state->power = TDevicePower::Sleeping;
  state->temperature = test::StorageTemperatureBytes({60});
  const size_t asked = state->requests.size();
  disk.Update();
  disk.Update();
  EXPECT_EQ(state->requests.size(), asked);
  EXPECT_EQ(disk.GetTemperature(), 33);
  state->power = TDevicePower::On;
  disk.Update();
  EXPECT_EQ(disk.GetTemperature(), 60);
}

TEST(NvmeDisk, SourcesThatFailedTheFirstReadAreNotAskedAgain) {
  auto state = NvmeDrive();
  state->temperature.reset();
  state->nvmeHealthLog.clear();
  THardDisk disk(0, std::make_unique<FakeDrive>(state));
  EXPECT_FALSE(disk.HasTempSensor());
  EXPECT_EQ(disk.GetTemperature(), 0);
  EXPECT_FALSE(disk.HealthLog());
  const size_t asked = state->requests.size();
  disk.Update();
  EXPECT_EQ(state->requests.size(), asked);
}

// A SATA drive whose SMART data cannot be read still has the temperature property; one with a
// temperature attribute is not asked for it.
TEST(NvmeDisk, SataDrivesUseThePropertyOnlyWithoutASmartTemperature) {
  auto unreadable = std::make_shared<FakeDriveState>();
  unreadable->identify = test::ata::Identify("libblockdev__WDC_WD20EARS-00MVWB0");
  unreadable->temperature = test::StorageTemperatureBytes({38});
  THardDisk sata(0, std::make_unique<FakeDrive>(unreadable));
  EXPECT_FALSE(sata.IsNvme());
  EXPECT_TRUE(sata.HasTempSensor());
  EXPECT_EQ(sata.GetTemperature(), 38);
  EXPECT_FALSE(sata.HealthLog());
  for (const auto& r : unreadable->requests)
    EXPECT_FALSE(r.code == kIoctlStorageQueryProperty && r.in[0] == 50);  // no NVMe log for SATA

  auto readable = std::make_shared<FakeDriveState>();
  readable->identify = test::ata::Identify("libblockdev__WDC_WD20EARS-00MVWB0");
  readable->smart = test::ata::Smart("libblockdev__WDC_WD20EARS-00MVWB0");
  readable->temperature = test::StorageTemperatureBytes({38});
  THardDisk smart(0, std::make_unique<FakeDrive>(readable));
  smart.Update();
  EXPECT_EQ(smart.GetTemperature(), 44);
  for (const auto& r : readable->requests)
    EXPECT_FALSE(r.code == kIoctlStorageQueryProperty && r.in[0] == 52);
}

}  // namespace
}  // namespace vsm
