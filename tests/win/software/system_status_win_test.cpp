#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "ChildProcess_win.h"
#include "base/ByteSize_win.h"
#include "base/wide_win.h"
#include "software/EnvPath_win.h"
#include "software/FileVersionInfo_win.h"
#include "software/MemoryStatus_win.h"
#include "software/TotalCpuLoad_win.h"

namespace vsm {
namespace {

TEST(GetMemoryLoad, IsWhatGlobalMemoryStatusExReports) {
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof status;
  ASSERT_TRUE(GlobalMemoryStatusEx(&status));
  MEMORYSTATUSEX ours = GetMemoryStatus();
  EXPECT_EQ(ours.dwLength, 64u);
  EXPECT_EQ(ours.ullTotalPhys, status.ullTotalPhys);
  EXPECT_LE(std::abs(GetMemoryLoad() - static_cast<int>(status.dwMemoryLoad)), 2);
  EXPECT_GT(GetMemoryLoad(), 0);
}

TEST(GetTotalCpuLoad, FollowsABusyChildProcess) {
  GetTotalCpuLoad();  // sets the baseline
  test::ChildProcess child(L"spin 4000");
  ASSERT_TRUE(child.Started());
  // The child spins on every processor; whatever else the machine does, the load measured over
  // one of the next periods is high. Each reading covers the time since the one before.
  int busy = 0;
  for (int reading = 0; reading < 12 && busy < 70; ++reading) {
    Sleep(250);
    busy = GetTotalCpuLoad();
    EXPECT_LE(busy, 100);
  }
  EXPECT_GE(busy, 70);
}

TEST(ExpandEnvPath, UsesThisProcessEnvironment) {
  wchar_t windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  std::string folder = Narrow(windows);
  SetEnvironmentVariableW(L"VSM_TEST_FOLDER", L"C:\\vsm");
  EXPECT_EQ(ExpandEnvPath("%vsm_test_folder%\\a.txt", false), "C:\\vsm\\a.txt");
  EXPECT_EQ(ExpandEnvPath("\\SystemRoot\\system32\\drivers\\x.sys", true),
            folder + "\\system32\\drivers\\x.sys");
  EXPECT_EQ(ExpandEnvPath("%NO_SUCH_NAME_HERE%", true), "%NO_SUCH_NAME_HERE%");
}

TEST(ReadFileVersionInfo, SystemFilesOfWine) {
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  std::string folder = Narrow(system);
  TFileVersionInfo dll = ReadFileVersionInfo(folder + "\\kernel32.dll");
  EXPECT_EQ(dll.FileFunction, "DLL");
  EXPECT_FALSE(dll.CompanyName.empty());
  EXPECT_FALSE(dll.FileVersion.empty());
  EXPECT_TRUE(dll.FileType.empty());
  TFileVersionInfo application = ReadFileVersionInfo(folder + "\\regedit.exe");
  EXPECT_EQ(application.FileFunction, "Application");
  EXPECT_FALSE(GetFileDescription(folder + "\\regedit.exe").empty());
  EXPECT_EQ(GetFileProductName(folder + "\\regedit.exe"), application.ProductName);
}

TEST(ReadFileVersionInfo, FileWithoutResourceGivesEmptyFields) {
  TFileVersionInfo none = ReadFileVersionInfo(Narrow(test::ChildProcess::Path()));
  EXPECT_EQ(none.ProductName, "");
  EXPECT_EQ(none.FileFunction, "Unknown");
  EXPECT_EQ(GetFileDescription("C:\\no\\such\\file.exe"), "");
}

TEST(FormatByteSize, UsesTheUserLocaleDecimalSeparator) {
  wchar_t separator[8] = {};
  ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8), 0);
  std::string expected = "1";
  expected.append(Narrow(separator)).append("50 KB");
  EXPECT_EQ(FormatByteSize(1536), expected);
  EXPECT_EQ(FormatByteSize(-1), "-");
}

}  // namespace
}  // namespace vsm
