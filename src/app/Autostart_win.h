#pragma once
// Starting the program at log-on: a scheduled task with the highest run level that runs the
// executable with "-os". The scheduler is the only record of it.
#include <string>

namespace vsm {

// Whether the log-on task exists (the menu's check mark).
bool IsAutostartEnabled();
// Registers or removes the log-on task for the running executable.
void SetAutostart(bool on);

// The same for a given Windows major version and program path: the version picks the Task
// Scheduler 2.0 task (10 and later) or the 1.0 work item.
bool IsAutostartEnabledFor(unsigned long majorVersion, const std::wstring& program);
bool SetAutostartFor(unsigned long majorVersion, bool on, const std::wstring& program);

// Task Scheduler 2.0: on registers the task unless one of the name exists (whatever it runs);
// when the program file no longer exists, the task is deleted instead. Off deletes it.
bool SetAutostartTask(bool on, const std::wstring& program);
// Task Scheduler 1.0: on keeps an item that runs this program, else replaces it. Off deletes it.
bool SetAutostartJob(bool on, const std::wstring& program);

}  // namespace vsm
