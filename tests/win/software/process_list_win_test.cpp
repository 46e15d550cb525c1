#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "ChildProcess_win.h"
#include "EngineItems.h"
#include "base/text.h"
#include "base/wide_win.h"
#include "software/ProcessInfo_win.h"
#include "software/ProcessKill_win.h"
#include "software/ProcessList_win.h"
#include "software/SystemProcessQuery_win.h"

namespace vsm {
namespace {

using test::ChildProcess;

using test::FindItem;

// The item a fresh snapshot makes for the process.
TProcessItemRef SnapshotItem(DWORD id) {
  TSystemProcessQuery query;
  query.Refresh();
  TProcessList list;
  FillProcessList(list, nullptr, query.Records());
  return FindItem(list, id);
}

TEST(FillProcessList, ChildProcessWithNamePathUserAndPrivateBytes) {
  ChildProcess child(L"wait");
  ASSERT_TRUE(child.Started());
  TProcessItemRef item = SnapshotItem(child.Id());
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->ExeName, "test_child.exe");
  EXPECT_TRUE(EqualsNoCase(item->ExePath, Narrow(ChildProcess::Path()))) << item->ExePath;
  EXPECT_FALSE(item->ExeUser.empty());
  EXPECT_GT(item->Memoryuse, 0u);
  EXPECT_EQ(item->ParentId, GetCurrentProcessId());
  EXPECT_NE(ItemHandle(*item), nullptr);
  EXPECT_EQ(item->byte_in, -1);
  EXPECT_EQ(item->RecvDataPerS, -1);

  TProcessItemRef self = SnapshotItem(GetCurrentProcessId());
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(self->ExeName, "win_tests.exe");
}

TEST(FillProcessList, WithKnownOnlyNewProcessesAreAdded) {
  TProcessList list;
  std::vector<TProcessIdentity> known;
  FillProcessList(list, &known);
  int first = list.Count();
  ASSERT_GT(first, 0);
  EXPECT_EQ(static_cast<int>(known.size()), first);

  ChildProcess child(L"wait");
  ASSERT_TRUE(child.Started());
  FillProcessList(list, &known);
  ASSERT_EQ(list.Count(), first + 1);
  EXPECT_EQ(list.GetItem(first)->ProcessID, child.Id());
  // `known` is now the latest snapshot, which includes the child.
  EXPECT_EQ(static_cast<int>(known.size()), first + 1);
  EXPECT_TRUE(std::any_of(known.begin(), known.end(),
                          [&](const TProcessIdentity& process) { return process.id == child.Id(); }));
}

// Start times and CPU times of every process from one query; Wine fills them per process.
TEST(SystemProcessQuery, ListsEveryProcessWithItsOwnTimes) {
  ChildProcess child(L"busy 3000");
  ASSERT_TRUE(child.Started());
  TSystemProcessQuery query;
  ASSERT_TRUE(query.Refresh());
  const TProcessTimes* self = FindProcessTimes(query.Records(), {GetCurrentProcessId(), 0});
  ASSERT_NE(self, nullptr);
  FILETIME created, exited, kernel, user;
  ASSERT_TRUE(GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user));
  EXPECT_EQ(self->created, static_cast<uint64_t>(created.dwHighDateTime) << 32 | created.dwLowDateTime);
  const TProcessTimes* first = FindProcessTimes(query.Records(), {child.Id(), 0});
  ASSERT_NE(first, nullptr);
  const int64_t before = first->kernel + first->user;
  const uint64_t childCreated = first->created;
  EXPECT_NE(childCreated, self->created);
  Sleep(1000);
  ASSERT_TRUE(query.Refresh());
  const TProcessTimes* later = FindProcessTimes(query.Records(), {child.Id(), childCreated});
  ASSERT_NE(later, nullptr);
  // A busy second is 10,000,000 units; a shared machine gives it a part.
  EXPECT_GT(later->kernel + later->user - before, 2'000'000);
  EXPECT_TRUE(IsSameProcessRunning({child.Id(), childCreated}));
  EXPECT_FALSE(IsSameProcessRunning({child.Id(), childCreated + 1}));
}

// The share of a process that burns one processor, from the system's records: about 100 / n %
// (from the handle, Wine would report this test's own share).
TEST(GetProcessCpuUsage, ABusyChildGetsItsOwnShareFromTheRecords) {
  ChildProcess child(L"busy 4000");
  ASSERT_TRUE(child.Started());
  TSystemProcessQuery query;
  ASSERT_TRUE(query.Refresh());
  TProcessList list;
  FillProcessList(list, nullptr, query.Records());
  TProcessItemRef item = FindItem(list, child.Id());
  ASSERT_NE(item, nullptr);
  EXPECT_NE(item->CreationTime, 0u);
  Sleep(1500);
  ASSERT_TRUE(query.Refresh());
  const float usage = GetProcessCpuUsage(item.get(), query.Records());
  const float oneProcessor = 100.0f / static_cast<float>(GetProcessorCount());
  EXPECT_GT(usage, oneProcessor * 0.25f);
  EXPECT_LE(usage, oneProcessor * 1.1f);
  EXPECT_FLOAT_EQ(item->CPUData.LastUsage, usage);
}

// Wine reports process times of the calling process only, so this process does the spinning.
TEST(GetProcessCpuUsage, FollowsABusyThreadOfTheProcess) {
  TProcessItemRef self = SnapshotItem(GetCurrentProcessId());
  ASSERT_NE(self, nullptr);
  ASSERT_NE(ItemHandle(*self), nullptr);
  // A quiet second: almost nothing.
  Sleep(1000);
  float quiet = GetProcessCpuUsage(self.get());
  DWORD until = GetTickCount() + 1000;
  volatile unsigned counter = 0;
  while (static_cast<LONG>(GetTickCount() - until) < 0) counter = counter + 1;
  float usage = GetProcessCpuUsage(self.get());
  // One busy thread is at most one processor's time; the machine is shared, so a clear part of
  // it is all that is required.
  float oneProcessor = 100.0f / static_cast<float>(GetProcessorCount());
  EXPECT_LT(quiet, oneProcessor * 0.1f);
  EXPECT_GT(usage, oneProcessor * 0.25f);
  EXPECT_LE(usage, oneProcessor * 1.1f);
  EXPECT_FLOAT_EQ(self->CPUData.LastUsage, usage);
  // A second measurement right away is under 250 processor-milliseconds.
  EXPECT_EQ(GetProcessCpuUsage(self.get()), 0.0f);
  EXPECT_EQ(GetProcessCpuUsage(nullptr), 0.0f);
}

TEST(GetProcessorCount, MatchesTheProcessAffinity) {
  DWORD_PTR processMask = 0, systemMask = 0;
  ASSERT_TRUE(GetProcessAffinityMask(GetCurrentProcess(), &processMask, &systemMask));
  int expected = 0;
  for (DWORD_PTR bits = processMask; bits != 0; bits &= bits - 1) ++expected;
  EXPECT_EQ(GetProcessorCount(), expected);
  EXPECT_EQ(GetProcessorCount(), expected);
}

TEST(GetPrivateWorkingSet, OwnProcessHasPrivatePagesWhereTheSystemCanTell) {
  HANDLE self = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, GetCurrentProcessId());
  ASSERT_NE(self, nullptr);
  static uint32_t probe[131072];
  bool queryWorks = QueryWorkingSet(self, probe, sizeof probe) != FALSE;
  uint64_t bytes = GetPrivateWorkingSet(self);
  CloseHandle(self);
  if (queryWorks) {
    EXPECT_GT(bytes, 0u);
    EXPECT_EQ(bytes % 4096, 0u);
  } else {
    EXPECT_EQ(bytes, 0u);  // Wine does not list working sets: the documented fallback
  }
  EXPECT_EQ(GetPrivateWorkingSet(nullptr), 0u);
}

TEST(DevicePathToDosPath, MapsWineDrivesByTheirDeviceNames) {
  wchar_t device[100] = {};
  ASSERT_GT(QueryDosDeviceW(L"C:", device, 100), 0u);
  std::string path = Narrow(device) + "\\windows\\notepad.exe";
  EXPECT_EQ(DevicePathToDosPath(path), "C:\\windows\\notepad.exe");
  EXPECT_EQ(DevicePathToDosPath("\\Device\\NoSuchVolume\\x.exe"), "");
}

TEST(GetProcessUser, IsTheUserOfThisSession) {
  HANDLE self = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, GetCurrentProcessId());
  ASSERT_NE(self, nullptr);
  wchar_t user[257] = {};
  DWORD length = 257;
  ASSERT_TRUE(GetUserNameW(user, &length));
  EXPECT_EQ(GetProcessUser(self), Narrow(user));
  CloseHandle(self);
  EXPECT_EQ(GetProcessUser(nullptr), "");
}

TEST(KillProcessItem, EndsTheChildAndAnEndedProcessCountsAsEnded) {
  ChildProcess child(L"wait");
  ASSERT_TRUE(child.Started());
  TProcessItemRef item = SnapshotItem(child.Id());
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(KillProcessItem(item.get()));
  EXPECT_TRUE(child.WaitForExit(5000));
  // Gone already (its process object lives on through the handles still open).
  EXPECT_TRUE(TerminateProcessById(child.Id()));
  EXPECT_FALSE(KillProcessItem(nullptr));
}

// An item whose id has gone to another process (another start time) ends nothing.
TEST(KillProcessItem, AProcessThatIsNoLongerTheItemsIsLeftAlone) {
  ChildProcess child(L"wait");
  ASSERT_TRUE(child.Started());
  TProcessItemRef item = SnapshotItem(child.Id());
  ASSERT_NE(item, nullptr);
  ASSERT_NE(item->CreationTime, 0u);
  TProcessItem stale;
  stale.ProcessID = child.Id();
  stale.ExeName = item->ExeName;
  stale.CreationTime = item->CreationTime - 10'000'000;
  EXPECT_TRUE(KillProcessItem(&stale));  // the stale item's process has ended
  EXPECT_FALSE(child.WaitForExit(500));
  EXPECT_TRUE(KillProcessItem(item.get()));
  EXPECT_TRUE(child.WaitForExit(5000));
}

TEST(KillProcessItem, WindowedChildIsAskedToCloseAndEnds) {
  ChildProcess child(L"window");
  ASSERT_TRUE(child.Started());
  EXPECT_TRUE(TerminateProcessById(child.Id()));
  EXPECT_TRUE(child.WaitForExit(5000));
}

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(KillProcessItem, ProtectedNamesAreRefusedWithoutAnyMessage) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = CountingProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"VsmProtectedProbe";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"VsmProtectedProbe", L"probe", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  MSG message;
  while (PeekMessageW(&message, window, 0, 0, PM_REMOVE)) {
  }
  for (const char* name : {"explorer.exe", "EXPLORER.EXE", "Explorer.Exe"}) {
    TProcessItem item;
    item.ProcessID = GetCurrentProcessId();  // this very process: it must survive
    item.ExeName = name;
    EXPECT_FALSE(KillProcessItem(&item)) << name;
  }
  EXPECT_FALSE(PeekMessageW(&message, window, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_NOREMOVE));
  DestroyWindow(window);
}

TEST(IsSystemProcess, OwnProcessIsNot) {
  TProcessItemRef self = SnapshotItem(GetCurrentProcessId());
  ASSERT_NE(self, nullptr);
  DWORD session = 0;
  ASSERT_TRUE(ProcessIdToSessionId(GetCurrentProcessId(), &session));
  EXPECT_EQ(self->isSystem, session == 0);
}

}  // namespace
}  // namespace vsm
