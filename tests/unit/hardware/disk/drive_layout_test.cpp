#include <gtest/gtest.h>

#include "FakeStorage.h"
#include "hardware/disk/DriveLayout.h"
#include "hardware/disk/HardDisk.h"
#include "hardware/disk/VolumeExtents.h"

namespace vsm {
namespace {

using test::FakePartition;

// Partition type GUIDs as they lie in memory.
const std::vector<uint8_t> kLdmMetadata = {0xAA, 0xC8, 0x08, 0x58, 0x8F, 0x7E, 0xE0, 0x42,
                                           0x85, 0xD2, 0xE1, 0xE9, 0x04, 0x34, 0xCF, 0xB3};
const std::vector<uint8_t> kLdmData = {0xA0, 0x60, 0x9B, 0xAF, 0x31, 0x14, 0x62, 0x4F,
                                       0xBC, 0x68, 0x33, 0x11, 0x71, 0x4A, 0x69, 0xAD};
const std::vector<uint8_t> kBasicData = {0xA2, 0xA0, 0xD0, 0xEB, 0xE5, 0xB9, 0x33, 0x44,
                                         0x87, 0xC0, 0x68, 0xB6, 0xB7, 0x26, 0x99, 0xC7};
const std::vector<uint8_t> kMsReserved = {0x16, 0xE3, 0xC9, 0xE3, 0x5C, 0x0B, 0xB8, 0x4D,
                                          0x81, 0x7D, 0xF9, 0x2D, 0xF0, 0x02, 0x15, 0xAE};

TEST(DriveLayout, MbrWithAnLdmPartitionIsDynamic) {
  // An MBR table as Windows reports it: four entries, the unused ones numbered 0.
  TDriveLayout layout = DecodeDriveLayoutEx(test::DriveLayoutBytes(
      0, {{0, 1, 32256, 1000000000, 0x42}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}));
  EXPECT_TRUE(layout.Dynamic);
  ASSERT_EQ(layout.Partitions.size(), 1u);
  EXPECT_EQ(layout.Partitions[0].PartitionNumber, 1u);
  EXPECT_EQ(layout.Partitions[0].StartingOffset, 32256);
  EXPECT_EQ(layout.Partitions[0].PartitionLength, 1000000000);

  TDriveLayout basic = DecodeDriveLayoutEx(
      test::DriveLayoutBytes(0, {{0, 1, 1048576, 500, 0x07}, {0, 2, 2097152, 600, 0x0C}}));
  EXPECT_FALSE(basic.Dynamic);
  EXPECT_EQ(basic.Partitions.size(), 2u);
}

TEST(DriveLayout, GptWithAnLdmEntryIsDynamic) {
  for (const auto& ldm : {kLdmMetadata, kLdmData}) {
    TDriveLayout layout =
        DecodeDriveLayoutEx(test::DriveLayoutBytes(1, {{1, 1, 17408, 134217728, 0, kMsReserved},
                                                       {1, 2, 134235136, 1048576, 0, ldm},
                                                       {1, 3, 135283712, 9000000000, 0, kLdmData}}));
    EXPECT_TRUE(layout.Dynamic);
    EXPECT_EQ(layout.Partitions.size(), 3u);
  }
  TDriveLayout basic =
      DecodeDriveLayoutEx(test::DriveLayoutBytes(1, {{1, 1, 1048576, 9000000000, 0, kBasicData}}));
  EXPECT_FALSE(basic.Dynamic);
  // 0x42 in the first byte of a GPT type GUID means nothing.
  std::vector<uint8_t> looksLikeMbrLdm = kBasicData;
  looksLikeMbrLdm[0] = 0x42;
  EXPECT_FALSE(
      DecodeDriveLayoutEx(test::DriveLayoutBytes(1, {{1, 1, 1048576, 9000000000, 0, looksLikeMbrLdm}}))
          .Dynamic);
}

TEST(DriveLayout, EntriesBeyondTheAnswerAreNotRead) {
  std::vector<uint8_t> bytes = test::DriveLayoutBytes(0, {{0, 1, 1, 2}, {0, 2, 3, 4}, {0, 3, 5, 6, 0x42}});
  bytes.resize(bytes.size() - 1);  // the third entry is cut
  TDriveLayout layout = DecodeDriveLayoutEx(bytes);
  EXPECT_EQ(layout.Partitions.size(), 2u);
  EXPECT_FALSE(layout.Dynamic);

  std::vector<uint8_t> lying = test::DriveLayoutBytes(0, {{0, 1, 1, 2}});
  lying[4] = 0xFF;  // counts 255 entries, holds one
  EXPECT_EQ(DecodeDriveLayoutEx(lying).Partitions.size(), 1u);
  EXPECT_TRUE(DecodeDriveLayoutEx(ByteView()).Partitions.empty());
}

TEST(DriveLayout, TheBufferGrowsUntilTheTableFits) {
  std::vector<FakePartition> entries;
  for (uint32_t i = 1; i <= 20; ++i) entries.push_back({1, i, int64_t{i} << 30, 1 << 20, 0, kBasicData});
  auto state = std::make_shared<test::FakeDriveState>();
  state->layout = test::DriveLayoutBytes(1, entries);  // 48 + 20 * 144 = 2928 bytes
  THardDisk disk(0, std::make_unique<test::FakeDrive>(state));
  EXPECT_EQ(disk.Partitions().Count(), 20u);
  std::vector<size_t> sizes;
  for (const auto& r : state->requests) {
    if (r.code == kIoctlDiskGetDriveLayoutEx) sizes.push_back(r.outSize);
  }
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.front(), 1632u);
  EXPECT_EQ(sizes.back(), 1632u + 9 * 144);
  EXPECT_EQ(sizes.size(), 10u);
}

TEST(VolumeExtents, CountedExtentsWithinTheAnswer) {
  std::vector<uint8_t> bytes = test::VolumeExtentsBytes({{0, 1048576, 5000}, {3, 2048, 7000}});
  std::vector<TDiskExtent> extents = DecodeVolumeDiskExtents(bytes);
  ASSERT_EQ(extents.size(), 2u);
  EXPECT_EQ(extents[1].DiskNumber, 3u);
  EXPECT_EQ(extents[1].StartingOffset, 2048);
  EXPECT_EQ(extents[1].ExtentLength, 7000);
  bytes.resize(bytes.size() - 8);
  EXPECT_EQ(DecodeVolumeDiskExtents(bytes).size(), 1u);
  EXPECT_TRUE(DecodeVolumeDiskExtents(ByteView(bytes.data(), 3)).empty());
}

}  // namespace
}  // namespace vsm
