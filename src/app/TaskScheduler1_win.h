#pragma once
// Task Scheduler 1.0 work items (before Windows 10). Called on the user-interface thread.
#include <windows.h>
#include <mstask.h>
#include <wrl/client.h>

#include <string>

namespace vsm {

// The work item of that name, or null when there is none or no scheduler.
Microsoft::WRL::ComPtr<ITask> ActivateJob(const std::wstring& name);
bool DeleteJob(const std::wstring& name);
// A new work item run by the current user without a password; not saved yet. Null on failure.
Microsoft::WRL::ComPtr<ITask> NewJob(const std::wstring& name, const std::wstring& application,
                                     const std::wstring& parameters, DWORD flags,
                                     const std::wstring& workingDirectory, const std::wstring& comment);
// Adds the trigger and saves the work item.
bool AddJobTrigger(ITask* job, const TASK_TRIGGER& trigger);

// The application name a work item runs.
std::wstring JobApplicationName(ITask* job);

}  // namespace vsm
