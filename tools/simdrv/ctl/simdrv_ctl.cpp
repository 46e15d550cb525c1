// Looks at and stops the simulated driver from outside, for the tests and the run script:
//   simdrv_ctl served   lists, per device, which process asked for which control code how often
//   simdrv_ctl stop     stops the driver (it unloads) and removes its service
// It sits beside DManager.dll and opens the devices through it, as the program does.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "SimDriverProtocol.h"

namespace {

using GetDrvHandleFn = HANDLE(WINAPI*)(int kind);

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::map<uint32_t, std::wstring> ProcessNames() {
  std::map<uint32_t, std::wstring> names;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return names;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    names[entry.th32ProcessID] = entry.szExeFile;
  }
  CloseHandle(snapshot);
  return names;
}

int Served() {
  HMODULE library = LoadLibraryW((OwnFolder() + L"DManager.dll").c_str());
  auto getDrvHandle = library == nullptr ? nullptr
                                         : reinterpret_cast<GetDrvHandleFn>(reinterpret_cast<void*>(
                                               GetProcAddress(library, "GetDrvHandle")));
  if (getDrvHandle == nullptr) {
    std::fwprintf(stderr, L"no DManager.dll with GetDrvHandle beside this tool\n");
    return 2;
  }
  std::map<uint32_t, std::wstring> names = ProcessNames();
  const std::pair<int, const wchar_t*> kDevices[] = {{1, L"hardware"}, {2, L"filter"}};
  for (auto [kind, label] : kDevices) {
    HANDLE device = getDrvHandle(kind);
    if (device == INVALID_HANDLE_VALUE) {
      std::fwprintf(stderr, L"the %ls device does not open\n", label);
      return 1;
    }
    std::vector<uint8_t> reply(VSM_SIM_SERVED_RECORD_SIZE * 4096);
    uint32_t none = 0;
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(device, VSM_SIM_IOCTL_SERVED, &none, sizeof none, reply.data(),
                              static_cast<DWORD>(reply.size()), &returned, nullptr);
    CloseHandle(device);
    if (!ok) return 1;
    for (DWORD at = 0; at + VSM_SIM_SERVED_RECORD_SIZE <= returned; at += VSM_SIM_SERVED_RECORD_SIZE) {
      uint32_t record[3];
      std::memcpy(record, reply.data() + at, sizeof record);
      auto name = names.find(record[0]);
      std::wprintf(L"%ls %u %ls 0x%08X %u\n", label, record[0],
                   name == names.end() ? L"-" : name->second.c_str(), record[1], record[2]);
    }
  }
  return 0;
}

int Stop() {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (manager == nullptr) return 1;
  SC_HANDLE service = OpenServiceW(manager, VSM_SIM_SERVICE_NAME, SERVICE_ALL_ACCESS);
  int result = 0;
  if (service != nullptr) {
    SERVICE_STATUS status{};
    ControlService(service, SERVICE_CONTROL_STOP, &status);
    for (int i = 0;
         i < 100 && QueryServiceStatus(service, &status) && status.dwCurrentState != SERVICE_STOPPED; ++i) {
      Sleep(50);
    }
    result = status.dwCurrentState == SERVICE_STOPPED ? 0 : 1;
    DeleteService(service);
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring command = argc >= 2 ? argv[1] : L"";
  if (command == L"served") return Served();
  if (command == L"stop") return Stop();
  std::fwprintf(stderr, L"usage: simdrv_ctl served | stop\n");
  return 2;
}
