#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "software/ProcessRules.h"

namespace vsm {
namespace {

TEST(ComputeCpuUsage, SharesTheProcessorTimeOfAllProcessors) {
  TCPUUsageData data;
  StartCpuUsage(data, 1000, true, 2'000'000, 3'000'000);
  // 1000 ms on 2 processors = 2000 processor-ms; 5,000,000 units of 100 ns = 500 ms used.
  float usage = ComputeCpuUsage(data, 4'000'000, 6'000'000, 2000, 2);
  EXPECT_FLOAT_EQ(usage, 25.0f);
  EXPECT_EQ(data.oldKernel, 4'000'000);
  EXPECT_EQ(data.oldUser, 6'000'000);
  EXPECT_EQ(data.LastUpdateTime, 2000u);
  EXPECT_FLOAT_EQ(data.LastUsage, 25.0f);
}

TEST(ComputeCpuUsage, ShortSpanGivesZeroAndKeepsTheBaseline) {
  TCPUUsageData data;
  StartCpuUsage(data, 5000, true, 0, 0);
  // 124 ms on 2 processors = 248 processor-ms: too short.
  EXPECT_EQ(ComputeCpuUsage(data, 1'000'000, 0, 5124, 2), 0.0f);
  EXPECT_EQ(data.LastUpdateTime, 5000u);
  EXPECT_EQ(data.oldKernel, 0);
  // The next measurement covers the whole time since the stored baseline: 1000 ms * 2.
  EXPECT_FLOAT_EQ(ComputeCpuUsage(data, 2'000'000, 0, 6000, 2), 10.0f);
  // Exactly 250 processor-ms is long enough.
  EXPECT_FLOAT_EQ(ComputeCpuUsage(data, 2'250'000, 0, 6125, 2), 10.0f);
}

TEST(ComputeCpuUsage, SpanSurvivesTheTickCounterWrap) {
  TCPUUsageData data;
  StartCpuUsage(data, 0xFFFFFF00u, true, 0, 0);
  // 0x100 + 0x2E8 = 1000 ms later.
  EXPECT_FLOAT_EQ(ComputeCpuUsage(data, 1'000'000, 0, 0x2E8, 1), 10.0f);
}

TEST(StartCpuUsage, UnreadableTimesKeepTheOldCounts) {
  TCPUUsageData data;
  data.oldKernel = 7;
  data.oldUser = 8;
  data.LastUsage = 50;
  StartCpuUsage(data, 42, false, 100, 100);
  EXPECT_EQ(data.LastUpdateTime, 42u);
  EXPECT_EQ(data.LastUsage, 0.0f);
  EXPECT_EQ(data.oldKernel, 7);
  EXPECT_EQ(data.oldUser, 8);
}

TEST(IsProtectedProcess, AllEighteenNamesInAnyCaseAndNothingElse) {
  const char* names[] = {"audiodg.exe",  "dwm.exe",      "svchost.exe",      "taskhost.exe", "wuauclt.exe",
                         "taskeng.exe",  "system",       "[system process]", "wininit.exe",  "winlogon.exe",
                         "lsm.exe",      "lsass.exe",    "csrss.exe",        "smss.exe",     "spoolsv.exe",
                         "services.exe", "explorer.exe", "wmipreprvse.exe"};
  for (const char* name : names) EXPECT_TRUE(IsProtectedProcess(name)) << name;
  EXPECT_TRUE(IsProtectedProcess("EXPLORER.EXE"));
  EXPECT_TRUE(IsProtectedProcess("Explorer.Exe"));
  EXPECT_TRUE(IsProtectedProcess("System"));
  EXPECT_FALSE(IsProtectedProcess("notepad.exe"));
  EXPECT_FALSE(IsProtectedProcess("explorer.exe "));
  EXPECT_FALSE(IsProtectedProcess("wmiprvse.exe"));  // the list's spelling is what counts
  EXPECT_FALSE(IsProtectedProcess(""));
}

TEST(DevicePathToDosPath, MapsTheFirstTwoComponentsToTheMatchingDrive) {
  std::map<char, std::string> drives = {{'C', "\\Device\\HarddiskVolume2"},
                                        {'D', "\\Device\\HarddiskVolume1"},
                                        {'E', "\\Device\\HarddiskVolume1"},
                                        {'Z', "\\Device\\CdRom0"}};
  auto deviceOf = [&](char letter) {
    auto it = drives.find(letter);
    return it == drives.end() ? std::string() : it->second;
  };
  EXPECT_EQ(DevicePathToDosPath("\\Device\\HarddiskVolume2\\Windows\\notepad.exe", deviceOf),
            "C:\\Windows\\notepad.exe");
  // Case does not matter; the first letter from A wins.
  EXPECT_EQ(DevicePathToDosPath("\\DEVICE\\harddiskvolume1\\Tools\\a.exe", deviceOf), "D:\\Tools\\a.exe");
  EXPECT_EQ(DevicePathToDosPath("\\Device\\CdRom0\\setup.exe", deviceOf), "Z:\\setup.exe");
  // A prefix of a device name is not that device.
  EXPECT_EQ(DevicePathToDosPath("\\Device\\HarddiskVolume\\x.exe", deviceOf), "");
  EXPECT_EQ(DevicePathToDosPath("\\Device\\HarddiskVolume3\\x.exe", deviceOf), "");
  EXPECT_EQ(DevicePathToDosPath("\\Device\\HarddiskVolume2", deviceOf), "C:");
  EXPECT_EQ(DevicePathToDosPath("", deviceOf), "");
}

TEST(PrivateWorkingSetBytes, SharedPagesOutsideTheKernelWindowDoNotCount) {
  const uint32_t buffer[] = {
      6,
      0x00401000 | 0x001,  // private
      0x00402000 | 0x105,  // shared
      0x7C801000 | 0x1E5,  // shared
      0xC0001000 | 0x100,  // shared, but in the kernel window: counts
      0xE0000000 | 0x100,  // shared, last page of the window: counts
      0xE0001000 | 0x100,  // shared, just above the window
  };
  EXPECT_EQ(PrivateWorkingSetBytes(buffer, std::size(buffer)), 3u * 4096u);
}

TEST(PrivateWorkingSetBytes, SetsBeyondFourGigabytesAreCountedWhole) {
  // 1.5 million private pages: 6 GB resident, more than 32 bits can hold.
  std::vector<uint32_t> buffer(1'500'001, 0x00401000 | 0x001);
  buffer[0] = 1'500'000;
  EXPECT_EQ(PrivateWorkingSetBytes(buffer.data(), buffer.size()), 1'500'000ull * 4096u);
}

TEST(PrivateWorkingSetBytes, CountBeyondTheBufferIsBounded) {
  const uint32_t buffer[] = {1000, 0x1000, 0x2000 | 0x100};
  EXPECT_EQ(PrivateWorkingSetBytes(buffer, std::size(buffer)), 1u * 4096u);
  EXPECT_EQ(PrivateWorkingSetBytes(buffer, 0), 0u);
  EXPECT_EQ(PrivateWorkingSetBytes(nullptr, 3), 0u);
}

}  // namespace
}  // namespace vsm
