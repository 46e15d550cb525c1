#pragma once
// Task Scheduler 2.0 (Windows Vista on, where the program uses it): the service, the
// kept connection and the operations on registered tasks. Called on the user-interface thread.
#include <windows.h>

#include <optional>
#include <string>

#include "app/AutostartTask.h"

namespace vsm {

// Opens the "Schedule" service and starts it (without waiting) when it is not running. The
// error code of the first step that fails, else 0.
DWORD EnsureTaskService();

// Connects to the local scheduler once and keeps the connection and the root folder for the
// program's life; false (and nothing kept) when any step fails.
bool ConnectTaskService();

// Whether a task of exactly that name is registered in the folder ("\" for the root); with a
// program path, only when its first action runs that program (letter case aside) or the
// scheduler keeps no actions of it (Wine).
bool TaskExists(const std::wstring& name, const std::wstring& folder,
                const std::optional<std::wstring>& programPath);

// True when the task is gone afterwards (a missing task counts as deleted).
bool DeleteSchedTask(const std::wstring& name, const std::wstring& folder);

struct TSchedTaskDefinition {
  std::wstring name;
  std::wstring description;
  std::wstring program;
  std::wstring folder = L"\\";
  std::wstring author;
  std::wstring arguments;
  TTaskSchedule schedule;
};

// Registers (create or update, interactive token, no user or password) the task defined by
// TaskDefinitionXml with its program's folder as working folder and the trigger from now (a
// daily one from its time of day). A registration that fails goes through "schtasks".
bool CreateSchedTask(const TSchedTaskDefinition& task);

// Runs "schtasks" (from the system folder) hidden and waits for it; true when the task exists
// in the root folder afterwards.
bool CreateTaskBySchtasks(const TSchedTaskDefinition& task);

}  // namespace vsm
