#include "app/TaskScheduler1_win.h"

#include <lmcons.h>

#include "app/TaskScheduler2_win.h"
#include "base/com_win.h"

namespace vsm {

namespace {

using Microsoft::WRL::ComPtr;

// Created on first use and kept for the program's life.
ITaskScheduler* Scheduler() {
  static ComPtr<ITaskScheduler> scheduler;
  if (!scheduler) {
    EnterComForThread();
    EnsureTaskService();
    if (FAILED(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                reinterpret_cast<void**>(scheduler.GetAddressOf())))) {
      scheduler.Reset();
    }
  }
  return scheduler.Get();
}

std::wstring CurrentUserName() {
  wchar_t name[UNLEN + 1] = {};
  DWORD length = UNLEN + 1;
  return GetUserNameW(name, &length) ? std::wstring(name) : std::wstring();
}

}  // namespace

ComPtr<ITask> ActivateJob(const std::wstring& name) {
  ComPtr<ITask> job;
  ITaskScheduler* scheduler = Scheduler();
  if (scheduler == nullptr || FAILED(scheduler->Activate(name.c_str(), IID_ITask,
                                                         reinterpret_cast<IUnknown**>(job.GetAddressOf())))) {
    job.Reset();
  }
  return job;
}

bool DeleteJob(const std::wstring& name) {
  ITaskScheduler* scheduler = Scheduler();
  return scheduler != nullptr && SUCCEEDED(scheduler->Delete(name.c_str()));
}

ComPtr<ITask> NewJob(const std::wstring& name, const std::wstring& application,
                     const std::wstring& parameters, DWORD flags, const std::wstring& workingDirectory,
                     const std::wstring& comment) {
  ComPtr<ITask> job;
  ITaskScheduler* scheduler = Scheduler();
  if (scheduler == nullptr ||
      FAILED(scheduler->NewWorkItem(name.c_str(), CLSID_CTask, IID_ITask,
                                    reinterpret_cast<IUnknown**>(job.GetAddressOf())))) {
    return nullptr;
  }
  const std::wstring user = CurrentUserName();
  if (FAILED(job->SetApplicationName(application.c_str())) ||
      FAILED(job->SetParameters(parameters.c_str())) || FAILED(job->SetComment(comment.c_str())) ||
      FAILED(job->SetWorkingDirectory(workingDirectory.c_str())) ||
      FAILED(job->SetAccountInformation(user.c_str(), nullptr)) || FAILED(job->SetFlags(flags))) {
    return nullptr;
  }
  return job;
}

bool AddJobTrigger(ITask* job, const TASK_TRIGGER& trigger) {
  WORD index = 0;
  ComPtr<ITaskTrigger> jobTrigger;
  ComPtr<IPersistFile> file;
  TASK_TRIGGER record = trigger;
  return SUCCEEDED(job->CreateTrigger(&index, &jobTrigger)) && SUCCEEDED(jobTrigger->SetTrigger(&record)) &&
         SUCCEEDED(job->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.GetAddressOf()))) &&
         SUCCEEDED(file->Save(nullptr, TRUE));
}

std::wstring JobApplicationName(ITask* job) {
  LPWSTR name = nullptr;
  if (FAILED(job->GetApplicationName(&name)) || name == nullptr) return {};
  std::wstring result(name);
  CoTaskMemFree(name);
  return result;
}

}  // namespace vsm
