#pragma once
// Starting the program at log-on: a scheduled task with the highest run level that runs the
// executable with "-os". The scheduler is the only record of it.
#include <string>

namespace vsm {

// Whether the log-on task runs the running executable (the menu's check mark).
bool IsAutostartEnabled();

enum class TAutostartChange { acDone, acFailed, acRefused };
// Registers or removes the log-on task for the running executable. Registering is refused when
// users other than administrators can replace the executable (its file or folder): the task
// would start whatever they put there with administrator rights.
TAutostartChange SetAutostart(bool on);

// The same for a given Windows major version and program path: the version picks the Task
// Scheduler 2.0 task (Vista and later) or the 1.0 work item (XP).
bool IsAutostartEnabledFor(unsigned long majorVersion, const std::wstring& program);
bool SetAutostartFor(unsigned long majorVersion, bool on, const std::wstring& program);

// Task Scheduler 2.0: on keeps a task of the name that runs this program and registers it again
// when it runs another; when the program file no longer exists, the task is deleted instead.
// Off deletes it. Either way a 1.0 work item of the name goes.
bool SetAutostartTask(bool on, const std::wstring& program);
// Task Scheduler 1.0: on keeps an item that runs this program, else replaces it. Off deletes it.
bool SetAutostartJob(bool on, const std::wstring& program);

}  // namespace vsm
