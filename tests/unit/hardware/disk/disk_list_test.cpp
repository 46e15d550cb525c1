#include <gtest/gtest.h>

#include "AtaFixtures.h"
#include "FakeStorage.h"
#include "hardware/disk/DiskList.h"

namespace vsm {
namespace {

using test::FakeDriveState;
using test::FakeVolumeSystem;

std::shared_ptr<FakeDriveState> Drive(const std::string& fixture, std::vector<uint8_t> layout) {
  auto state = std::make_shared<FakeDriveState>();
  state->identify = test::ata::Identify(fixture);
  state->smart = test::ata::Smart(fixture);
  state->layout = std::move(layout);
  return state;
}

const char* kVolumeC = "\\\\?\\Volume{11111111-0000-0000-0000-000000000001}\\";
const char* kVolumeD = "\\\\?\\Volume{11111111-0000-0000-0000-000000000002}\\";
const char* kVolumeE = "\\\\?\\Volume{11111111-0000-0000-0000-000000000003}\\";

std::string Guid(const char* volume) {
  std::string name = volume;
  return name.substr(0, name.size() - 1);
}

TVolumeDetails Mounted(const char* path, const char* label, int64_t total) {
  TVolumeDetails d;
  d.PathName = path;
  d.VolumeName = label;
  d.FileSystemName = "NTFS";
  d.TotalSpace = total;
  d.FreeAvailable = total / 2;
  d.TotalFree = total / 2 + 1;
  return d;
}

TEST(DiskList, BasicDisksGetTheirVolumesOnMatchingPartitions) {
  FakeVolumeSystem system;
  system.drives[0] =
      Drive("libblockdev__Hitachi_HDS721010CLA632",
            test::DriveLayoutBytes(0, {{0, 1, 1048576, 104857600}, {0, 2, 105906176, 5000000000}}));
  system.volumes = {
      {kVolumeC, {{0, 105906176, 5000000000}}, Mounted("C:\\", "System", 5000000000)},
      {kVolumeD, {{0, 1048576, 104857600}}, {}},                  // not mounted
      {kVolumeE, {{0, 777, 888}}, Mounted("E:\\", "Lost", 888)},  // matches no partition
  };
  auto list = EnumerateDisks(system);
  ASSERT_EQ(list->Count(), 1u);
  THardDisk* disk = list->GetDisk(0);
  EXPECT_EQ(disk->Name(), "Hitachi HDS721010CLA632");
  EXPECT_EQ(list->FindDisk(0), disk);
  EXPECT_EQ(list->FindDisk(1), nullptr);
  EXPECT_EQ(list->GetDisk(1), nullptr);
  EXPECT_TRUE(list->HasTempSensor());

  ASSERT_EQ(disk->Partitions().Count(), 2u);
  const TDiskPartition* reserved = disk->Partitions().GetDisk(0);
  const TDiskPartition* system_ = disk->Partitions().GetDisk(1);
  EXPECT_EQ(system_->GUID, Guid(kVolumeC));
  EXPECT_EQ(system_->PathName, "C:\\");
  EXPECT_EQ(system_->VolumeName, "System");
  EXPECT_EQ(system_->FileSystemName, "NTFS");
  EXPECT_EQ(system_->TotalSpace, 5000000000);
  EXPECT_EQ(system_->FreeAvailable, 2500000000);
  EXPECT_EQ(system_->TotalFree, 2500000001);
  EXPECT_EQ(reserved->GUID, Guid(kVolumeD));
  EXPECT_EQ(reserved->PathName, "");
  EXPECT_EQ(reserved->TotalSpace, 104857600);  // no mount path: the extent's length
  EXPECT_EQ(reserved->VolumeName, "");
  // Details are asked for with the backslash; the unattached volume is not asked about.
  EXPECT_EQ(system.detailsAskedFor, (std::vector<std::string>{kVolumeC, kVolumeD}));
}

TEST(DiskList, AVolumeSpanningTwoDynamicDisksAttachesToEach) {
  FakeVolumeSystem system;
  auto dynamicLayout = test::DriveLayoutBytes(0, {{0, 1, 32256, 9000000000, 0x42}});
  system.drives[0] = Drive("libblockdev__WDC_WD20EARS-00MVWB0", dynamicLayout);
  system.drives[1] = Drive("libblockdev__Hitachi_HDS721010CLA632", dynamicLayout);
  system.volumes = {
      {kVolumeC,
       {{0, 1048576, 3000000000}, {1, 1048576, 2000000000}},
       Mounted("D:\\", "Spanned", 5000000000)},
      {kVolumeD, {{0, 3001048576, 1000000000}}, Mounted("E:\\", "Second", 1000000000)},
  };
  auto list = EnumerateDisks(system);
  ASSERT_EQ(list->Count(), 2u);
  THardDisk* first = list->FindDisk(0);
  THardDisk* second = list->FindDisk(1);
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(first->IsDynamic());
  EXPECT_TRUE(second->IsDynamic());

  // The spanned volume takes the free LDM partition of each disk, with that disk's extent.
  ASSERT_EQ(second->Partitions().Count(), 1u);
  EXPECT_EQ(second->Partitions().GetDisk(0)->GUID, Guid(kVolumeC));
  EXPECT_EQ(second->Partitions().GetDisk(0)->StartingOffset, 1048576);
  EXPECT_EQ(second->Partitions().GetDisk(0)->ExtentLength, 2000000000);
  EXPECT_EQ(second->Partitions().GetDisk(0)->PathName, "D:\\");

  // The second volume on disk 0 finds no free partition and gets a new one numbered after it.
  ASSERT_EQ(first->Partitions().Count(), 2u);
  const TDiskPartition* spanned = first->Partitions().GetDisk(0);
  const TDiskPartition* added = first->Partitions().GetDisk(1);
  EXPECT_EQ(spanned->GUID, Guid(kVolumeC));
  EXPECT_EQ(spanned->PartNo, 1u);
  EXPECT_EQ(spanned->ExtentLength, 3000000000);
  EXPECT_EQ(added->GUID, Guid(kVolumeD));
  EXPECT_EQ(added->PartNo, 2u);
  EXPECT_EQ(added->StartingOffset, 3001048576);
  EXPECT_EQ(added->ExtentLength, 1000000000);
  EXPECT_EQ(added->VolumeName, "Second");
}

TEST(DiskList, WhatCannotBeOpenedIsLeftOut) {
  FakeVolumeSystem system;
  system.drives[1] =
      Drive("libblockdev__Hitachi_HDS721010CLA632", test::DriveLayoutBytes(0, {{0, 1, 1048576, 100}}));
  system.volumes = {
      // Disk 0 cannot be opened: this volume's later extent on disk 1 is not handled either.
      {kVolumeC, {{0, 1048576, 100}, {1, 1048576, 100}}, Mounted("C:\\", "", 100)},
      {kVolumeD, {{1, 1048576, 100}}, Mounted("D:\\", "Data", 100)},
  };
  auto list = EnumerateDisks(system);
  ASSERT_EQ(list->Count(), 1u);
  EXPECT_EQ(list->GetDisk(0)->Index(), 1u);
  EXPECT_EQ(list->GetDisk(0)->Partitions().GetDisk(0)->PathName, "D:\\");

  FakeVolumeSystem unavailable;
  unavailable.available = false;
  EXPECT_EQ(EnumerateDisks(unavailable)->Count(), 0u);
  EXPECT_FALSE(EnumerateDisks(unavailable)->HasTempSensor());

  // A volume name that cannot be opened is skipped.
  FakeVolumeSystem unknownVolume;
  unknownVolume.volumes = {{kVolumeC, {{0, 1, 1}}, {}}};
  unknownVolume.volumes[0].name = "not a volume";
  EXPECT_EQ(EnumerateDisks(unknownVolume)->Count(), 0u);
}

TEST(DiskList, TheExtentBufferGrowsForVolumesOnManyDisks) {
  FakeVolumeSystem system;
  std::vector<TDiskExtent> extents;
  for (uint32_t disk = 0; disk < 4; ++disk) {
    system.drives[disk] = Drive("libatasmart__Maxtor_96147H8--BAC51KJ0--2",
                                test::DriveLayoutBytes(0, {{0, 1, 1048576, 100, 0x42}}));
    extents.push_back({disk, 1048576, 100});
  }
  system.volumes = {{kVolumeC, extents, Mounted("C:\\", "Striped", 400)}};
  auto list = EnumerateDisks(system);
  ASSERT_EQ(list->Count(), 4u);
  for (const auto& disk : *list) EXPECT_EQ(disk->Partitions().GetDisk(0)->GUID, Guid(kVolumeC));
  EXPECT_FALSE(list->HasTempSensor());  // the first disk has no attribute 194
}

}  // namespace
}  // namespace vsm
