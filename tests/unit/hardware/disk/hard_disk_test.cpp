#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "AtaFixtures.h"
#include "FakeStorage.h"
#include "hardware/disk/HardDisk.h"
#include "hardware/disk/ScsiInquiry.h"
#include "hardware/disk/SmartCommand.h"
#include "hardware/disk/SmartData.h"

namespace vsm {
namespace {

using test::FakeDrive;
using test::FakeDriveState;

std::shared_ptr<FakeDriveState> AtaDrive(const std::string& fixture) {
  auto state = std::make_shared<FakeDriveState>();
  state->identify = test::ata::Identify(fixture);
  state->smart = test::ata::Smart(fixture);
  return state;
}

std::unique_ptr<THardDisk> Open(uint32_t number, const std::shared_ptr<FakeDriveState>& state) {
  return std::make_unique<THardDisk>(number, std::make_unique<FakeDrive>(state));
}

TEST(HardDisk, AnAtaDriveFromItsRealBlocks) {
  auto state = AtaDrive("libblockdev__Hitachi_HDS721010CLA632");
  state->geometry = test::GeometryBytes(121601, 12, 255, 63, 512, 1000204886016);
  state->deviceDescriptor = test::DeviceDescriptorBytes(11, "  JP2921HQ0KV1BA", "JP4OA41A");
  state->layout = test::DriveLayoutBytes(0, {{0, 1, 1048576, 104857600}, {0, 2, 105906176, 999000000000}});
  auto disk = Open(0, state);

  EXPECT_EQ(disk->Name(), "Hitachi HDS721010CLA632");
  EXPECT_EQ(disk->SerialNumber(), test::ata::Hdparm("libblockdev__Hitachi_HDS721010CLA632")["Serial Number"]);
  EXPECT_EQ(disk->FirmwareRevision(), "JP4OA41A");
  EXPECT_EQ(disk->Size(), 1953525168ull * 512);  // from IDENTIFY, not the geometry
  EXPECT_EQ(disk->RPM(), 7200);
  EXPECT_EQ(disk->Minor_ver(), "ATA8-ACS version 4");
  EXPECT_EQ(disk->Major_ver(), "SATA 3.0, 6.0 Gb/s (current: 6.0 Gb/s)");
  EXPECT_EQ(disk->Cylinders(), 121601);
  EXPECT_EQ(disk->TracksPerCylinder(), 255u);
  EXPECT_EQ(disk->SectorsPerTrack(), 63u);
  EXPECT_EQ(disk->BytesPerSector(), 512u);
  EXPECT_EQ(disk->MediaType(), 12);
  EXPECT_EQ(disk->BusType(), 11);
  EXPECT_EQ(disk->Index(), 0u);
  EXPECT_FALSE(disk->IsDynamic());
  ASSERT_EQ(disk->Partitions().Count(), 2u);
  EXPECT_EQ(disk->Partitions().GetDisk(1)->PartNo, 2u);
  EXPECT_EQ(disk->Partitions().GetDisk(1)->StartingOffset, 105906176);

  EXPECT_EQ(disk->DiskType(), THddtypes::GenericHarddisk);
  EXPECT_TRUE(disk->HasTempSensor());
  EXPECT_EQ(disk->GetTemperature(), 30);

  EXPECT_FALSE(disk->IsSSD());
  EXPECT_EQ(state->CountRequests(kIoctlStorageQueryProperty), 1u);  // the rotation rate answered it
}

TEST(HardDisk, SmartRequestsCarryTheCommandBlocks) {
  auto state = AtaDrive("libblockdev__WDC_WD20EARS-00MVWB0");
  Open(0x0102, state);  // the drive number is the low byte of the disk number
  ASSERT_GE(state->requests.size(), 3u);
  const auto& identify = state->requests[0];
  EXPECT_EQ(identify.code, kSmartRcvDriveData);
  EXPECT_EQ(identify.outSize, 528u);
  EXPECT_EQ(identify.in, (std::vector<uint8_t>{0x10, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0xEC, 0, 0x02, 0, 0, 0, 0,
                                               0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0,    0, 0,    0, 0, 0}));
  std::vector<uint8_t> enable = SmartCommandBlock(TSmartCommand::EnableOperations, 2);
  std::vector<uint8_t> read = SmartCommandBlock(TSmartCommand::ReadData, 2);
  EXPECT_EQ(enable, (std::vector<uint8_t>{33, 0, 0, 0, 0xD8, 0, 0, 0x4F, 0xC2, 0, 0xB0, 0, 2, 0, 0, 0, 0,
                                          0,  0, 0, 0, 0,    0, 0, 0,    0,    0, 0,    0, 0, 0, 0, 0}));
  EXPECT_EQ(read[4], 0xD0);
  bool sawEnable = false, sawRead = false;
  for (const auto& r : state->requests) {
    if (r.code == kSmartSendDriveCommand && r.in == enable) sawEnable = r.outSize == 16;
    if (r.code == kSmartRcvDriveData && r.in == read) sawRead = r.outSize == 6162;
  }
  EXPECT_TRUE(sawEnable);
  EXPECT_TRUE(sawRead);
}

TEST(HardDisk, UpdateRereadsTheAttributesAndKeepsThemWhenAReadFails) {
  auto state = AtaDrive("libblockdev__WDC_WD20EARS-00MVWB0");
  auto disk = Open(0, state);
  EXPECT_EQ(disk->GetTemperature(), 44);
  size_t slot = *FindSmartAttribute(state->smart, 194);
  state->smart[2 + 12 * slot + 5] = 51;
  disk->Update();
  EXPECT_EQ(disk->GetTemperature(), 51);
  state->smart.clear();  // the drive stops answering
  disk->Update();
  EXPECT_EQ(disk->GetTemperature(), 51);
}

// A disk in standby is not asked for SMART data, which would spin it up; it keeps its last reading.
TEST(HardDisk, ADiskInStandbyIsNotAskedAndKeepsItsLastTemperature) {
  auto state = AtaDrive("libblockdev__WDC_WD20EARS-00MVWB0");
  state->power = TDevicePower::On;
  auto disk = Open(0, state);
  size_t slot = *FindSmartAttribute(state->smart, 194);
  state->smart[2 + 12 * slot + 5] = 51;
  state->power = TDevicePower::Sleeping;
  const size_t asked = state->CountRequests(kSmartRcvDriveData);
  disk->Update();
  EXPECT_EQ(state->CountRequests(kSmartRcvDriveData), asked);
  EXPECT_EQ(disk->GetTemperature(), 44);
  state->power = TDevicePower::On;
  disk->Update();
  EXPECT_EQ(disk->GetTemperature(), 51);
}

// Asleep at start: nothing is asked until it wakes, then the attributes and the disk kind are read.
TEST(HardDisk, ADiskAsleepAtStartIsReadWhenItWakes) {
  auto state = AtaDrive("libblockdev__WDC_WD20EARS-00MVWB0");
  state->power = TDevicePower::Sleeping;
  auto disk = Open(0, state);
  EXPECT_EQ(state->CountRequests(kSmartSendDriveCommand), 0u);
  EXPECT_FALSE(disk->HasTempSensor());
  EXPECT_EQ(disk->GetTemperature(), 0);
  disk->Update();
  EXPECT_EQ(state->CountRequests(kSmartSendDriveCommand), 0u);
  state->power = TDevicePower::Unknown;  // a device that cannot tell is asked
  disk->Update();
  EXPECT_TRUE(disk->HasTempSensor());
  EXPECT_EQ(disk->GetTemperature(), 44);
}

// The floating strip reads the first disk's temperature on the user-interface thread while the
// update thread re-reads the attributes.
TEST(HardDisk, TemperatureCanBeReadWhileAnotherThreadUpdates) {
  auto state = AtaDrive("libblockdev__WDC_WD20EARS-00MVWB0");
  auto disk = Open(0, state);
  std::atomic<bool> done{false};
  std::thread updater([&] {
    for (int i = 0; i < 3000; ++i) disk->Update();
    done = true;
  });
  int reads = 0;
  while (!done) {
    ASSERT_EQ(disk->GetTemperature(), 44);
    ++reads;
  }
  updater.join();
  EXPECT_GT(reads, 0);
}

TEST(HardDisk, SolidStateByRotationRateOrSeekPenalty) {
  auto ssd = AtaDrive("fwupd__Samsung_SSD_860_EVO_500GB");  // word 217 = 1
  EXPECT_TRUE(Open(0, ssd)->IsSSD());
  for (const auto& r : ssd->requests)  // no seek-penalty property asked
    EXPECT_FALSE(r.code == kIoctlStorageQueryProperty && r.in[0] == 7);

  struct Case {
    std::optional<bool> seekPenalty;
    bool ssd;
  };
  for (Case c : {Case{false, true}, Case{true, false}, Case{std::nullopt, false}}) {
    auto unreported = AtaDrive("libblockdev__WDC_WD20EARS-00MVWB0");  // word 217 = 0
    unreported->seekPenalty = c.seekPenalty;
    auto disk = Open(0, unreported);
    EXPECT_EQ(disk->RPM(), 0);
    EXPECT_EQ(disk->IsSSD(), c.ssd);
    EXPECT_EQ(unreported->CountRequests(kIoctlStorageQueryProperty), 2u);
    EXPECT_EQ(unreported->requests.back().in[0], 7);
  }
}

TEST(HardDisk, IntelSsdHasNoTemperatureAttribute) {
  auto disk = Open(0, AtaDrive("libatasmart__INTEL_SSDSA2MH080G1GC--045C8820"));
  EXPECT_EQ(disk->DiskType(), THddtypes::SSDIntel);
  EXPECT_FALSE(disk->HasTempSensor());
  EXPECT_EQ(disk->GetTemperature(), 0);
  EXPECT_TRUE(disk->IsSSD());
}

TEST(HardDisk, WithoutSmartEnableThereAreNoAttributes) {
  auto state = AtaDrive("libblockdev__WDC_WD20EARS-00MVWB0");
  state->smartEnable = false;
  auto disk = Open(0, state);
  EXPECT_EQ(state->CountRequests(kSmartRcvDriveData), 1u);  // IDENTIFY only
  EXPECT_TRUE(disk->SmartBlock().size() == 0);
  EXPECT_FALSE(disk->HasTempSensor());
  EXPECT_EQ(disk->GetTemperature(), 0);
  EXPECT_EQ(disk->DiskType(), THddtypes::GenericHarddisk);
}

std::vector<uint8_t> InquiryData() {
  std::vector<uint8_t> data(96, 0);
  const std::string vendor = "ATA     ", product = "WDC WD20EARS-00M", serial = "     WD-WCAZA1234567";
  std::copy(vendor.begin(), vendor.end(), data.begin() + 8);
  std::copy(product.begin(), product.end(), data.begin() + 16);
  std::copy(serial.begin(), serial.end(), data.begin() + 36);
  data[10] = 0x01;  // a control byte inside the vendor field is dropped
  return data;
}

TEST(HardDisk, ScsiInquiryWhenIdentifyFails) {
  auto state = std::make_shared<FakeDriveState>();
  state->inquiry = InquiryData();
  state->geometry = test::GeometryBytes(243201, 12, 255, 63, 512, 2000398934016);
  state->deviceDescriptor = test::DeviceDescriptorBytes(7, "ignored, the inquiry had one", "50.0AB50");
  auto disk = Open(1, state);
  EXPECT_EQ(disk->Name(), "AT     WDC WD20EARS-00M");
  EXPECT_EQ(disk->SerialNumber(), "WD-WCAZA1234567");
  EXPECT_EQ(disk->FirmwareRevision(), "50.0AB50");
  EXPECT_EQ(disk->Size(), 2000398934016ull);
  EXPECT_EQ(disk->BusType(), 7);
  EXPECT_EQ(disk->Minor_ver(), "");
  EXPECT_EQ(disk->RPM(), 0);

  ASSERT_EQ(state->CountRequests(kIoctlScsiPassThrough), 1u);
  for (const auto& r : state->requests) {
    if (r.code != kIoctlScsiPassThrough) continue;
    EXPECT_EQ(r.outSize, 268u);
    ASSERT_EQ(r.in.size(), 268u);
    const std::vector<uint8_t> header(r.in.begin(), r.in.begin() + 44);
    EXPECT_EQ(header, (std::vector<uint8_t>{44, 0, 0,    0, 1, 0,  6, 24, 1, 0,  0, 0, 192, 0,    0,
                                            0,  2, 0,    0, 0, 76, 0, 0,  0, 44, 0, 0, 0,   0x12, 0,
                                            0,  0, 0xC0, 0, 0, 0,  0, 0,  0, 0,  0, 0, 0,   0}));
  }
}

TEST(HardDisk, ShortAnswersAreNotRead) {
  auto state = std::make_shared<FakeDriveState>();
  state->identify = test::ata::Identify("libblockdev__Hitachi_HDS721010CLA632");
  state->identify.resize(300);                     // the driver delivers less than a block
  state->inquiry = std::vector<uint8_t>(40, 'x');  // less than the inquiry fields
  state->geometry = std::vector<uint8_t>(20, 0xFF);
  state->deviceDescriptor = std::vector<uint8_t>(16, 0xFF);
  state->smart = std::vector<uint8_t>(200, 0xC2);
  auto disk = Open(0, state);
  EXPECT_EQ(disk->Name(), "");
  EXPECT_EQ(disk->SerialNumber(), "");
  EXPECT_EQ(disk->Size(), 0u);
  EXPECT_EQ(disk->Cylinders(), 0);
  EXPECT_EQ(disk->BusType(), 0);
  EXPECT_EQ(disk->SmartBlock().size(), 0u);
  EXPECT_FALSE(disk->HasTempSensor());
}

TEST(HardDisk, DescriptorStringsStayInsideTheAnswer) {
  auto state = AtaDrive("libblockdev__WDC_WD20EARS-00MVWB0");
  state->identify.clear();
  std::vector<uint8_t> descriptor = test::DeviceDescriptorBytes(11, "SERIAL", "REV1");
  descriptor[24] = 0xF0;  // serial offset beyond the answer
  // The revision "REV1" is cut to its last character, whose NUL terminator is not delivered.
  descriptor[20] = static_cast<uint8_t>(descriptor.size() - 2);
  descriptor.pop_back();
  state->deviceDescriptor = descriptor;
  auto disk = Open(0, state);
  EXPECT_EQ(disk->SerialNumber(), "");
  EXPECT_EQ(disk->FirmwareRevision(), "1");
}

}  // namespace
}  // namespace vsm
