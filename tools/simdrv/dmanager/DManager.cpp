// A driver-manager library for the simulated machine: GetDrvHandle(kind) installs the simulated
// kernel driver beside this library as a demand-start kernel-driver service when it is missing,
// starts it, and opens the device of that kind. Everything the program then asks goes to the
// driver as a real DeviceIoControl on the handle.
#include <windows.h>

#include <mutex>
#include <string>

#include "SimDriverProtocol.h"

namespace {

std::mutex g_lock;
bool g_started = false;

std::wstring DriverPath() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&DriverPath), &self);
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::wstring folder(path, length);
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder + VSM_SIM_DRIVER_FILE;
}

bool WaitRunning(SC_HANDLE service) {
  for (int i = 0; i < 100; ++i) {
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service, &status)) return false;
    if (status.dwCurrentState == SERVICE_RUNNING) return true;
    if (status.dwCurrentState == SERVICE_STOPPED) return false;
    Sleep(50);
  }
  return false;
}

// Installs (or points at this folder's driver) and starts the service.
bool StartDriver() {
  std::wstring path = DriverPath();
  if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (manager == nullptr) return false;
  SC_HANDLE service = CreateServiceW(manager, VSM_SIM_SERVICE_NAME, VSM_SIM_SERVICE_NAME, SERVICE_ALL_ACCESS,
                                     SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                                     path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
  if (service == nullptr && GetLastError() == ERROR_SERVICE_EXISTS) {
    service = OpenServiceW(manager, VSM_SIM_SERVICE_NAME, SERVICE_ALL_ACCESS);
    // A service left by a run from another folder takes this folder's driver (while stopped).
    if (service != nullptr) {
      ChangeServiceConfigW(service, SERVICE_NO_CHANGE, SERVICE_NO_CHANGE, SERVICE_NO_CHANGE, path.c_str(),
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    }
  }
  bool running = false;
  if (service != nullptr) {
    running = StartServiceW(service, 0, nullptr) || GetLastError() == ERROR_SERVICE_ALREADY_RUNNING;
    running = running && WaitRunning(service);
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
  return running;
}

HANDLE OpenDevice(const wchar_t* path) {
  return CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

extern "C" __declspec(dllexport) HANDLE WINAPI GetDrvHandle(int kind) {
  const wchar_t* path = kind == 1 ? VSM_SIM_HARDWARE_PATH : kind == 2 ? VSM_SIM_FILTER_PATH : nullptr;
  if (path == nullptr) return INVALID_HANDLE_VALUE;
  std::lock_guard guard(g_lock);
  HANDLE device = g_started ? OpenDevice(path) : INVALID_HANDLE_VALUE;
  if (device != INVALID_HANDLE_VALUE) return device;
  // Not started yet, or stopped since: start it (again).
  g_started = StartDriver();
  return g_started ? OpenDevice(path) : INVALID_HANDLE_VALUE;
}
