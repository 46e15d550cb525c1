// The log-on task against Wine's real Task Scheduler, which keeps the tasks it registers in the
// prefix: the 2.0 tasks as XML files under system32\Tasks, the 1.0 work items under Tasks.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ChildProcess_win.h"
#include "app/AutostartTask.h"
#include "app/Autostart_win.h"
#include "app/TaskScheduler1_win.h"
#include "app/TaskScheduler2_win.h"
#include "base/file_win.h"
#include "base/module_path_win.h"
#include "base/wide_win.h"

namespace vsm {
namespace {

const std::wstring kName = Widen(kAutostartTaskName);
const std::wstring kJobName = L"Vesk System Monitor";

std::wstring WindowsFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetWindowsDirectoryW(folder, MAX_PATH);
  return folder;
}

// The task's definition as the scheduler stored it, read through the 64-bit file view.
std::string StoredTask() {
  PVOID old = nullptr;
  Wow64DisableWow64FsRedirection(&old);
  auto bytes = ReadWholeFile(WindowsFolder() + L"\\system32\\Tasks\\" + kName);
  Wow64RevertWow64FsRedirection(old);
  if (!bytes) return {};
  // Stored as UTF-16 with a byte-order mark, or as UTF-8.
  if (bytes->size() >= 2 && (*bytes)[0] == 0xFF && (*bytes)[1] == 0xFE) {
    return Narrow(std::wstring(reinterpret_cast<const wchar_t*>(bytes->data() + 2), (bytes->size() - 2) / 2));
  }
  return std::string(bytes->begin(), bytes->end());
}

FILETIME StoredTaskWriteTime() {
  PVOID old = nullptr;
  Wow64DisableWow64FsRedirection(&old);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW((WindowsFolder() + L"\\system32\\Tasks\\" + kName).c_str(), GetFileExInfoStandard,
                       &data);
  Wow64RevertWow64FsRedirection(old);
  return data.ftLastWriteTime;
}

class AutostartTaskWin : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ConnectTaskService());
    DeleteSchedTask(kName, L"\\");
  }
  void TearDown() override { DeleteSchedTask(kName, L"\\"); }

  const std::wstring program_ = ExecutablePath();
};

// Wine's scheduler keeps a registered definition in its own re-written form, which has no run
// level, trigger or program action yet: those parts of the definition are checked on the XML
// that is registered (native tests), and here what Wine keeps of it.
TEST_F(AutostartTaskWin, EnableRegistersTheLogonTaskOnce) {
  // Vista to 8.1 (6) get the task as Windows 10 does: a work item could not run the program with
  // the highest run level.
  EXPECT_TRUE(SetAutostartFor(6, true, program_));
  EXPECT_TRUE(TaskExists(kName, L"\\", std::nullopt));
  EXPECT_FALSE(FileExists(WindowsFolder() + L"\\Tasks\\" + kName));
  ASSERT_TRUE(SetAutostartFor(6, false, program_));

  EXPECT_FALSE(IsAutostartEnabledFor(10, program_));
  EXPECT_TRUE(SetAutostartFor(10, true, program_));
  EXPECT_TRUE(IsAutostartEnabledFor(10, program_));
  EXPECT_TRUE(TaskExists(kName, L"\\", std::nullopt));

  const std::string stored = StoredTask();
  for (const char* part :
       {"<Author>Brantor Ltd.</Author>", "<Description>Create by Vesk System Monitor.</Description>",
        "<AllowStartOnDemand>true</AllowStartOnDemand>",
        "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>",
        "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>",
        "<AllowHardTerminate>false</AllowHardTerminate>", "<StartWhenAvailable>true</StartWhenAvailable>",
        "<Enabled>true</Enabled>", "<Hidden>false</Hidden>",
        "<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>"}) {
    EXPECT_NE(stored.find(part), std::string::npos) << part << "\n" << stored;
  }

  // Enabling again leaves the one task as it is.
  const FILETIME written = StoredTaskWriteTime();
  Sleep(1100);
  EXPECT_TRUE(SetAutostartFor(10, true, program_));
  const FILETIME rewritten = StoredTaskWriteTime();
  EXPECT_EQ(CompareFileTime(&written, &rewritten), 0);

  EXPECT_TRUE(SetAutostartFor(10, false, program_));
  EXPECT_FALSE(IsAutostartEnabledFor(10, program_));
  EXPECT_TRUE(StoredTask().empty());
  // Turning off what is off succeeds quietly.
  EXPECT_TRUE(SetAutostartFor(10, false, program_));
}

TEST_F(AutostartTaskWin, AStaleTaskGoesWhenTheProgramFileIsGone) {
  ASSERT_TRUE(SetAutostartTask(true, program_));
  // The running program's file is gone (it was moved): enabling removes the task.
  EXPECT_TRUE(SetAutostartTask(true, L"C:\\no such folder\\VeskSystemMonitor.exe"));
  EXPECT_FALSE(TaskExists(kName, L"\\", std::nullopt));
  EXPECT_TRUE(StoredTask().empty());
}

TEST_F(AutostartTaskWin, AWorkItemLeftOnVistaAndLaterGivesWayToTheTask) {
  // As an earlier version registered it on Windows 7: a 1.0 work item of the name.
  ASSERT_TRUE(SetAutostartJob(true, program_));
  ASSERT_TRUE(ActivateJob(kJobName));
  EXPECT_TRUE(SetAutostartFor(6, true, program_));
  EXPECT_FALSE(ActivateJob(kJobName));
  EXPECT_TRUE(IsAutostartEnabledFor(6, program_));
  // Turning it off removes a left item too.
  ASSERT_TRUE(SetAutostartJob(true, program_));
  EXPECT_TRUE(SetAutostartFor(6, false, program_));
  EXPECT_FALSE(ActivateJob(kJobName));
  EXPECT_FALSE(TaskExists(kName, L"\\", std::nullopt));
}

class AutostartJobWin : public testing::Test {
 protected:
  void SetUp() override { DeleteJob(kJobName); }
  void TearDown() override { DeleteJob(kJobName); }

  const std::wstring program_ = ExecutablePath();
};

TEST_F(AutostartJobWin, WindowsXpGetsAWorkItemThatTheCheckRecognises) {
  EXPECT_FALSE(IsAutostartEnabledFor(5, program_));
  EXPECT_TRUE(SetAutostartFor(5, true, program_));
  EXPECT_TRUE(IsAutostartEnabledFor(5, program_));
  // The work item's file is the task's name in the Tasks folder.
  EXPECT_TRUE(FileExists(WindowsFolder() + L"\\Tasks\\" + kName));
  const auto job = ActivateJob(kJobName);
  ASSERT_TRUE(job);
  EXPECT_EQ(JobApplicationName(job.Get()), L"\"" + program_ + L"\"");
  LPWSTR parameters = nullptr;
  ASSERT_HRESULT_SUCCEEDED(job->GetParameters(&parameters));
  EXPECT_STREQ(parameters, L"-os");
  CoTaskMemFree(parameters);
  DWORD flags = 0;
  ASSERT_HRESULT_SUCCEEDED(job->GetFlags(&flags));
  EXPECT_EQ(flags & TASK_FLAG_RUN_ONLY_IF_LOGGED_ON, static_cast<DWORD>(TASK_FLAG_RUN_ONLY_IF_LOGGED_ON));
  WORD triggers = 0;
  ASSERT_HRESULT_SUCCEEDED(job->GetTriggerCount(&triggers));
  EXPECT_EQ(triggers, 1);
  Microsoft::WRL::ComPtr<ITaskTrigger> trigger;
  ASSERT_HRESULT_SUCCEEDED(job->GetTrigger(0, &trigger));
  TASK_TRIGGER record{};
  record.cbTriggerSize = sizeof record;
  ASSERT_HRESULT_SUCCEEDED(trigger->GetTrigger(&record));
  EXPECT_EQ(record.TriggerType, TASK_EVENT_TRIGGER_AT_LOGON);

  // Enabling again keeps the item; an item for another program is replaced.
  EXPECT_TRUE(SetAutostartFor(5, true, program_));
  EXPECT_TRUE(IsAutostartEnabledFor(5, program_));
  const std::wstring other = test::ChildProcess::Path();
  EXPECT_TRUE(SetAutostartFor(5, true, other));
  EXPECT_FALSE(IsAutostartEnabledFor(5, program_));
  EXPECT_TRUE(IsAutostartEnabledFor(5, other));

  EXPECT_TRUE(SetAutostartFor(5, false, other));
  EXPECT_FALSE(ActivateJob(kJobName));
  EXPECT_TRUE(SetAutostartFor(5, false, other));
}

}  // namespace
}  // namespace vsm
