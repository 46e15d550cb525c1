#include "app/TaskScheduler2_win.h"

#include <taskschd.h>
#include <wrl/client.h>

#include "base/com_win.h"
#include "base/file_win.h"
#include "base/library_win.h"
#include "base/wide_win.h"

namespace vsm {

namespace {

using Microsoft::WRL::ComPtr;

// The connection of this program's life.
ComPtr<ITaskService>& Service() {
  static ComPtr<ITaskService> service;
  return service;
}
ComPtr<ITaskFolder>& RootFolder() {
  static ComPtr<ITaskFolder> root;
  return root;
}

class ServiceHandle {
 public:
  explicit ServiceHandle(SC_HANDLE handle) : handle_(handle) {}
  ~ServiceHandle() {
    if (handle_ != nullptr) CloseServiceHandle(handle_);
  }
  ServiceHandle(const ServiceHandle&) = delete;
  ServiceHandle& operator=(const ServiceHandle&) = delete;
  SC_HANDLE get() const { return handle_; }

 private:
  SC_HANDLE handle_;
};

ComPtr<ITaskFolder> GetTaskFolder(const std::wstring& path) {
  ComPtr<ITaskFolder> folder;
  if (path == L"\\") return RootFolder();
  if (!ConnectTaskService()) return folder;
  Bstr name(path);
  if (FAILED(Service()->GetFolder(name.get(), &folder))) folder.Reset();
  return folder;
}

std::wstring FirstActionPath(IRegisteredTask* task) {
  ComPtr<ITaskDefinition> definition;
  ComPtr<IActionCollection> actions;
  ComPtr<IAction> action;
  ComPtr<IExecAction> exec;
  Bstr path;
  if (FAILED(task->get_Definition(&definition)) || FAILED(definition->get_Actions(&actions)) ||
      FAILED(actions->get_Item(1, &action)) || FAILED(action.As(&exec)) ||
      FAILED(exec->get_Path(path.out()))) {
    return {};
  }
  return path.Wide();
}

std::wstring Lower(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

bool AddTrigger(ITaskDefinition* definition, const TTaskSchedule& schedule) {
  static constexpr TASK_TRIGGER_TYPE2 kTypes[] = {TASK_TRIGGER_LOGON, TASK_TRIGGER_DAILY,
                                                   TASK_TRIGGER_WEEKLY, TASK_TRIGGER_MONTHLY,
                                                   TASK_TRIGGER_IDLE};
  if (schedule.trigger == TTaskTriggerType::ttWeekly || schedule.trigger == TTaskTriggerType::ttMonthly) {
    // The SDK of this build has no weekly or monthly trigger interface: "schtasks" registers them.
    return false;
  }
  ComPtr<ITriggerCollection> triggers;
  ComPtr<ITrigger> trigger;
  if (FAILED(definition->get_Triggers(&triggers)) ||
      FAILED(triggers->Create(kTypes[static_cast<int>(schedule.trigger)], &trigger))) {
    return false;
  }
  Bstr id(L"trigger1");
  SYSTEMTIME now;
  GetLocalTime(&now);
  const bool timed = schedule.trigger == TTaskTriggerType::ttDaily;
  Bstr start(Widen(TaskStartBoundary(now.wYear, now.wMonth, now.wDay, timed ? schedule.hour : now.wHour,
                                     timed ? schedule.minute : now.wMinute,
                                     timed ? schedule.second : now.wSecond)));
  if (FAILED(trigger->put_Id(id.get())) || FAILED(trigger->put_StartBoundary(start.get())) ||
      FAILED(trigger->put_Enabled(VARIANT_TRUE))) {
    return false;
  }
  switch (schedule.trigger) {
    case TTaskTriggerType::ttDaily: {
      ComPtr<IDailyTrigger> daily;
      return SUCCEEDED(trigger.As(&daily)) && SUCCEEDED(daily->put_DaysInterval(1));
    }
    default:
      return true;
  }
}

// The definition as the program registers it.
ComPtr<ITaskDefinition> BuildDefinition(const TSchedTaskDefinition& task) {
  ComPtr<ITaskDefinition> definition;
  if (FAILED(Service()->NewTask(0, &definition))) return nullptr;
  ComPtr<IRegistrationInfo> info;
  ComPtr<IPrincipal> principal;
  ComPtr<ITaskSettings> settings;
  ComPtr<IActionCollection> actions;
  ComPtr<IAction> action;
  ComPtr<IExecAction> exec;
  Bstr author(task.author), description(task.description), limit(L"PT0S");
  Bstr path(task.program), arguments(task.arguments), workingFolder(ParentFolder(task.program));
  const bool built =
      SUCCEEDED(definition->get_RegistrationInfo(&info)) && SUCCEEDED(info->put_Author(author.get())) &&
      SUCCEEDED(info->put_Description(description.get())) &&
      SUCCEEDED(definition->get_Principal(&principal)) &&
      SUCCEEDED(principal->put_RunLevel(TASK_RUNLEVEL_HIGHEST)) &&
      SUCCEEDED(definition->get_Settings(&settings)) &&
      SUCCEEDED(settings->put_AllowDemandStart(VARIANT_TRUE)) &&
      SUCCEEDED(settings->put_Enabled(VARIANT_TRUE)) && SUCCEEDED(settings->put_Hidden(VARIANT_FALSE)) &&
      SUCCEEDED(settings->put_StartWhenAvailable(VARIANT_TRUE)) &&
      SUCCEEDED(settings->put_DisallowStartIfOnBatteries(VARIANT_FALSE)) &&
      SUCCEEDED(settings->put_StopIfGoingOnBatteries(VARIANT_FALSE)) &&
      SUCCEEDED(settings->put_AllowHardTerminate(VARIANT_FALSE)) &&
      SUCCEEDED(settings->put_ExecutionTimeLimit(limit.get())) &&
      SUCCEEDED(definition->get_Actions(&actions)) && SUCCEEDED(actions->Create(TASK_ACTION_EXEC, &action)) &&
      SUCCEEDED(action.As(&exec)) && SUCCEEDED(exec->put_Path(path.get())) &&
      SUCCEEDED(exec->put_Arguments(arguments.get())) &&
      SUCCEEDED(exec->put_WorkingDirectory(workingFolder.get())) && AddTrigger(definition.Get(), task.schedule);
  return built ? definition : nullptr;
}

// The folder to register in: the root, or the named folder, created under the root when missing.
ComPtr<ITaskFolder> RegistrationFolder(const std::wstring& path) {
  if (path == L"\\") return RootFolder();
  ComPtr<ITaskFolder> folder = GetTaskFolder(path);
  if (folder) return folder;
  Bstr name(path);
  Variant noSecurity;
  if (FAILED(RootFolder()->CreateFolder(name.get(), *noSecurity, &folder))) folder.Reset();
  return folder;
}

void WaitDispatching(HANDLE process) {
  while (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

DWORD EnsureTaskService() {
  const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (manager.get() == nullptr) return GetLastError();
  const ServiceHandle service(OpenServiceW(manager.get(), L"Schedule", SERVICE_QUERY_STATUS | SERVICE_START));
  if (service.get() == nullptr) return GetLastError();
  SERVICE_STATUS status{};
  if (!QueryServiceStatus(service.get(), &status)) return GetLastError();
  if (status.dwCurrentState != SERVICE_RUNNING && !StartServiceW(service.get(), 0, nullptr)) {
    return GetLastError();
  }
  return 0;
}

bool ConnectTaskService() {
  if (Service() && RootFolder()) return true;
  EnterComForThread();
  EnsureTaskService();
  ComPtr<ITaskService> service;
  ComPtr<ITaskFolder> root;
  Variant none;
  Bstr rootPath(L"\\");
  if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&service))) ||
      FAILED(service->Connect(*none, *none, *none, *none)) ||
      FAILED(service->GetFolder(rootPath.get(), &root))) {
    return false;
  }
  Service() = service;
  RootFolder() = root;
  return true;
}

bool TaskExists(const std::wstring& name, const std::wstring& folderPath,
                const std::optional<std::wstring>& programPath) {
  if (!ConnectTaskService()) return false;
  const ComPtr<ITaskFolder> folder = GetTaskFolder(folderPath);
  ComPtr<IRegisteredTaskCollection> tasks;
  LONG count = 0;
  if (!folder || FAILED(folder->GetTasks(TASK_ENUM_HIDDEN, &tasks)) || FAILED(tasks->get_Count(&count))) {
    return false;
  }
  for (LONG index = 1; index <= count; ++index) {
    VARIANT position;
    VariantInit(&position);
    position.vt = VT_I4;
    position.lVal = index;
    ComPtr<IRegisteredTask> task;
    Bstr taskName;
    if (FAILED(tasks->get_Item(position, &task)) || FAILED(task->get_Name(taskName.out()))) continue;
    if (taskName.Wide() != name) continue;
    if (!programPath) return true;
    return Lower(FirstActionPath(task.Get())) == Lower(*programPath);
  }
  return false;
}

bool DeleteSchedTask(const std::wstring& name, const std::wstring& folderPath) {
  if (!TaskExists(name, folderPath, std::nullopt)) return true;
  const ComPtr<ITaskFolder> folder = GetTaskFolder(folderPath);
  Bstr taskName(name);
  if (!folder) return false;
  folder->DeleteTask(taskName.get(), 0);
  return !TaskExists(name, folderPath, std::nullopt);
}

bool CreateSchedTask(const TSchedTaskDefinition& task) {
  if (!ConnectTaskService()) return false;
  const ComPtr<ITaskDefinition> definition = BuildDefinition(task);
  const ComPtr<ITaskFolder> folder = RegistrationFolder(task.folder);
  ComPtr<IRegisteredTask> registered;
  Bstr name(task.name);
  Variant none;
  if (definition && folder &&
      SUCCEEDED(folder->RegisterTaskDefinition(name.get(), definition.Get(), TASK_CREATE_OR_UPDATE, *none,
                                               *none, TASK_LOGON_INTERACTIVE_TOKEN, *none, &registered)) &&
      registered) {
    return true;
  }
  return CreateTaskBySchtasks(task);
}

bool CreateTaskBySchtasks(const TSchedTaskDefinition& task) {
  // By full path: an elevated program must not run whatever "schtasks" the search order finds.
  const std::wstring program = SystemFolder() + L"schtasks.exe";
  std::wstring line = Widen(SchtasksCommandLine(Narrow(task.name), Narrow(task.program),
                                                Narrow(task.arguments), task.schedule));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  WaitDispatching(process.hProcess);
  CloseHandle(process.hProcess);
  return TaskExists(task.name, L"\\", std::nullopt);
}

}  // namespace vsm
