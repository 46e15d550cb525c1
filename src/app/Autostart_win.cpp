#include "app/Autostart_win.h"

#include <windows.h>

#include "app/AutostartTask.h"
#include "app/TaskScheduler1_win.h"
#include "app/TaskScheduler2_win.h"
#include "base/file_win.h"
#include "base/library_win.h"
#include "base/module_path_win.h"
#include "base/wide_win.h"
#include "platform/FileAccess_win.h"
#include "platform/VeskRegistry_win.h"

namespace vsm {

namespace {

const std::wstring kTaskName = Widen(kAutostartTaskName);
const std::wstring kJobName = Widen(WorkItemName(kAutostartTaskName));
const std::wstring kRoot = Widen(kRootTaskFolder);

// The file is looked for in the 32-bit view and, under WOW64, in the 64-bit one as well.
bool ProgramFileExists(const std::wstring& program) {
  if (FileExists(program)) return true;
  using DisableFn = BOOL(WINAPI*)(PVOID*);
  using RevertFn = BOOL(WINAPI*)(PVOID);
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto disable = BindFunction<DisableFn>(kernel, "Wow64DisableWow64FsRedirection");
  const auto revert = BindFunction<RevertFn>(kernel, "Wow64RevertWow64FsRedirection");
  PVOID old = nullptr;
  if (disable == nullptr || revert == nullptr || !disable(&old)) return false;
  const bool exists = FileExists(program);
  revert(old);
  return exists;
}

bool SameProgram(const std::wstring& stored, const std::wstring& program) {
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, stored.c_str(), -1, program.c_str(), -1) ==
         CSTR_EQUAL;
}

TASK_TRIGGER LogonTrigger() {
  SYSTEMTIME today;
  GetLocalTime(&today);
  TASK_TRIGGER trigger{};
  trigger.cbTriggerSize = sizeof trigger;
  trigger.wBeginYear = today.wYear;
  trigger.wBeginMonth = today.wMonth;
  trigger.wBeginDay = today.wDay;
  trigger.TriggerType = TASK_EVENT_TRIGGER_AT_LOGON;
  return trigger;
}

}  // namespace

bool IsAutostartEnabled() { return IsAutostartEnabledFor(CurrentRegistryPlatform().major, ExecutablePath()); }

TAutostartChange SetAutostart(bool on) {
  const std::wstring program = ExecutablePath();
  if (on && ProgramReplaceableByNonAdministrators(program)) return TAutostartChange::acRefused;
  return SetAutostartFor(CurrentRegistryPlatform().major, on, program) ? TAutostartChange::acDone
                                                                       : TAutostartChange::acFailed;
}

bool IsAutostartEnabledFor(unsigned long majorVersion, const std::wstring& program) {
  if (UsesTaskScheduler2(majorVersion)) return TaskExists(kTaskName, kRoot, program);
  const auto job = ActivateJob(kJobName);
  // Items are written with the path in quotes; either form counts as ours.
  return job && SameProgram(Widen(UnquotedPath(Narrow(JobApplicationName(job.Get())))), program);
}

bool SetAutostartFor(unsigned long majorVersion, bool on, const std::wstring& program) {
  return UsesTaskScheduler2(majorVersion) ? SetAutostartTask(on, program) : SetAutostartJob(on, program);
}

namespace {

// A work item that an earlier version left on Vista or later cannot start the program elevated.
// The scheduler service reads a new item's file for a moment, so a refused delete is tried again.
void RemoveLeftWorkItem() {
  for (int attempt = 0; attempt < 10 && ActivateJob(kJobName); ++attempt) {
    if (!DeleteJob(kJobName)) Sleep(100);
  }
}

}  // namespace

bool SetAutostartTask(bool on, const std::wstring& program) {
  RemoveLeftWorkItem();
  if (!on) return DeleteSchedTask(kTaskName, kRoot);
  if (!ProgramFileExists(program)) return DeleteSchedTask(kTaskName, kRoot);
  if (!ConnectTaskService()) return false;
  if (TaskExists(kTaskName, kRoot, program)) return true;
  // A task of the name that runs another file would run whatever is there with our rights.
  if (!DeleteSchedTask(kTaskName, kRoot)) return false;
  TSchedTaskDefinition task;
  task.name = kTaskName;
  task.description = Widen(kAutostartDescription);
  task.program = program;
  task.folder = kRoot;
  task.author = Widen(kAutostartAuthor);
  task.arguments = Widen(kAutostartArguments);
  return CreateSchedTask(task);
}

bool SetAutostartJob(bool on, const std::wstring& program) {
  const auto job = ActivateJob(kJobName);
  if (!on) return !job || DeleteJob(kJobName);
  if (job) {
    if (SameProgram(Widen(UnquotedPath(Narrow(JobApplicationName(job.Get())))), program)) return true;
    DeleteJob(kJobName);
  }
  const auto created =
      NewJob(kJobName, Widen(QuotedPath(Narrow(program))), Widen(kAutostartArguments),
             TASK_FLAG_RUN_ONLY_IF_LOGGED_ON, ParentFolder(program), Widen(kAutostartDescription));
  return created && AddJobTrigger(created.Get(), LogonTrigger());
}

}  // namespace vsm
