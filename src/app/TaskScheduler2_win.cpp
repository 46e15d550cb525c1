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

// The program of the task's first action; empty when the action is no program or its path
// cannot be read. Nullopt when the definition shows no actions at all: Windows registers no task
// without one, while Wine's scheduler does not give a definition's actions back, so there is
// nothing to hold against.
std::optional<std::wstring> FirstActionPath(IRegisteredTask* task) {
  ComPtr<ITaskDefinition> definition;
  ComPtr<IActionCollection> actions;
  ComPtr<IAction> action;
  ComPtr<IExecAction> exec;
  Bstr path;
  LONG count = 0;
  if (FAILED(task->get_Definition(&definition)) || FAILED(definition->get_Actions(&actions)) ||
      FAILED(actions->get_Count(&count)) || count == 0) {
    return std::nullopt;
  }
  if (FAILED(actions->get_Item(1, &action)) || FAILED(action.As(&exec)) ||
      FAILED(exec->get_Path(path.out()))) {
    return std::wstring();
  }
  return path.Wide();
}

std::wstring Lower(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
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
  if (!folder) return false;
  const auto matches = [&](IRegisteredTask* task) {
    if (!programPath) return true;
    const auto path = FirstActionPath(task);
    return !path || Lower(*path) == Lower(*programPath);
  };
  ComPtr<IRegisteredTaskCollection> tasks;
  LONG count = 0;
  if (SUCCEEDED(folder->GetTasks(TASK_ENUM_HIDDEN, &tasks)) && SUCCEEDED(tasks->get_Count(&count))) {
    for (LONG index = 1; index <= count; ++index) {
      VARIANT position;
      VariantInit(&position);
      position.vt = VT_I4;
      position.lVal = index;
      ComPtr<IRegisteredTask> task;
      Bstr taskName;
      if (FAILED(tasks->get_Item(position, &task)) || FAILED(task->get_Name(taskName.out()))) continue;
      if (taskName.Wide() == name) return matches(task.Get());
    }
    return false;
  }
  // A scheduler that cannot list its tasks (Wine's) is asked for the one task by name.
  ComPtr<IRegisteredTask> task;
  Bstr path(name), taskName;
  return SUCCEEDED(folder->GetTask(path.get(), &task)) && SUCCEEDED(task->get_Name(taskName.out())) &&
         taskName.Wide() == name && matches(task.Get());
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
  SYSTEMTIME now;
  GetLocalTime(&now);
  const bool timed = task.schedule.trigger == TTaskTriggerType::ttDaily;
  TTaskXmlValues values;
  values.author = Narrow(task.author);
  values.description = Narrow(task.description);
  values.program = Narrow(task.program);
  values.arguments = Narrow(task.arguments);
  values.workingDirectory = Narrow(ParentFolder(task.program));
  values.startBoundary = TaskStartBoundary(
      now.wYear, now.wMonth, now.wDay, timed ? task.schedule.hour : now.wHour,
      timed ? task.schedule.minute : now.wMinute, timed ? task.schedule.second : now.wSecond);
  values.schedule = task.schedule;
  // The definition goes in its XML form: the whole of it reaches the scheduler in one call,
  // where the object model would need a working setter for every property.
  const Bstr name(task.name), xml(Widen(TaskDefinitionXml(values)));
  const ComPtr<ITaskFolder> folder = RegistrationFolder(task.folder);
  ComPtr<IRegisteredTask> registered;
  Variant none;
  if (folder &&
      SUCCEEDED(folder->RegisterTask(name.get(), xml.get(), TASK_CREATE_OR_UPDATE, *none, *none,
                                     TASK_LOGON_INTERACTIVE_TOKEN, *none, &registered)) &&
      registered) {
    return true;
  }
  return CreateTaskBySchtasks(task);
}

bool CreateTaskBySchtasks(const TSchedTaskDefinition& task) {
  // By full path: an elevated program must not run whatever "schtasks" the search order finds.
  const std::wstring program = SystemFolder() + L"schtasks.exe";
  std::wstring line = Widen(
      SchtasksCommandLine(Narrow(task.name), Narrow(task.program), Narrow(task.arguments), task.schedule));
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
