#include "software/ProcessInfo_win.h"

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "base/handle_win.h"
#include "base/wide_win.h"
#include "software/ProcessRules.h"

namespace vsm {

namespace {

bool ReadProcessTimes(HANDLE process, int64_t& kernel, int64_t& user) {
  FILETIME creation, exit, kernelTime, userTime;
  if (process == nullptr || !GetProcessTimes(process, &creation, &exit, &kernelTime, &userTime)) return false;
  kernel =
      static_cast<int64_t>(static_cast<uint64_t>(kernelTime.dwHighDateTime) << 32 | kernelTime.dwLowDateTime);
  user = static_cast<int64_t>(static_cast<uint64_t>(userTime.dwHighDateTime) << 32 | userTime.dwLowDateTime);
  return true;
}

void CloseKeptHandle(uintptr_t value) { CloseHandle(reinterpret_cast<HANDLE>(value)); }

int CountProcessors() {
  HANDLE thread = GetCurrentThread();
  DWORD_PTR previous = 0;
  int count = 0;
  for (int cpu = 0; cpu < 32; ++cpu) {
    DWORD_PTR before = SetThreadAffinityMask(thread, DWORD_PTR{1} << cpu);
    if (before == 0) break;
    if (cpu == 0) previous = before;
    ++count;
  }
  if (previous != 0) SetThreadAffinityMask(thread, previous);
  return count > 0 ? count : 1;
}

}  // namespace

HANDLE ItemHandle(const TProcessItem& item) { return reinterpret_cast<HANDLE>(item.hProc.Value()); }

TProcessHandle KeepProcessHandle(HANDLE process) {
  if (process == nullptr) return {};
  return TProcessHandle(reinterpret_cast<uintptr_t>(process), CloseKeptHandle);
}

void InitCpuUsage(TCPUUsageData& data, HANDLE process, const TProcessTimes* times) {
  if (times != nullptr) {
    StartCpuUsage(data, GetTickCount(), true, times->kernel, times->user);
    return;
  }
  int64_t kernel = 0, user = 0;
  bool read = ReadProcessTimes(process, kernel, user);
  StartCpuUsage(data, GetTickCount(), read, kernel, user);
}

float GetProcessCpuUsage(TProcessItem* item, const std::vector<TProcessTimes>& records) {
  if (item == nullptr || item->ProcessID == 0) return 0;
  int64_t kernel = 0, user = 0;
  // The records need no handle, so processes that cannot be opened get their share too (and
  // Wine, whose process-times call answers with the caller's own times, reports each its own).
  if (const TProcessTimes* times = FindProcessTimes(records, IdentityOf(*item))) {
    kernel = times->kernel;
    user = times->user;
  } else if (!ReadProcessTimes(ItemHandle(*item), kernel, user)) {
    return 0;
  }
  return ComputeCpuUsage(item->CPUData, kernel, user, GetTickCount(), GetProcessorCount());
}

int GetProcessorCount() {
  // -1: not counted yet. Two threads racing here count the same number.
  static std::atomic<int> cached{-1};
  int count = cached;
  if (count < 0) {
    count = CountProcessors();
    cached = count;
  }
  return count;
}

uint64_t GetProcessPrivateBytes(uint32_t processId) {
  const TKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) return 0;
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  uint64_t bytes = 0;
  if (GetProcessMemoryInfo(process.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters)) {
    // Both fields are the process's commit charge; some systems (Wine) fill only the older one.
    bytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
  }
  return bytes;
}

uint64_t GetPrivateWorkingSet(HANDLE process) {
  constexpr size_t kFirstBufferBytes = 524288;
  // 16M entries, 64 GB resident; a set that asks for more is not followed.
  constexpr size_t kLargestBufferBytes = size_t{64} << 20;
  if (process == nullptr) return 0;
  // One buffer per thread, reused and grown only when a set needs more: the popup asks for
  // every listed process each second.
  thread_local std::vector<uint32_t> buffer(kFirstBufferBytes / sizeof(uint32_t));
  for (;;) {
    const size_t bytes = buffer.size() * sizeof(uint32_t);
    if (QueryWorkingSet(process, buffer.data(), static_cast<DWORD>(bytes))) {
      return PrivateWorkingSetBytes(buffer.data(), buffer.size());
    }
    // Too small: the call still put the number of entries in the first word.
    if (GetLastError() != ERROR_BAD_LENGTH) return 0;
    const size_t grown = GrownQuerySize(bytes, (size_t{buffer[0]} + 1) * sizeof(uint32_t));
    if (grown > kLargestBufferBytes) return 0;
    buffer.assign(grown / sizeof(uint32_t) + 1, 0);
  }
}

std::string GetProcessExePath(HANDLE process) {
  if (process == nullptr) return {};
  wchar_t path[MAX_PATH] = {};
  HMODULE module = nullptr;
  DWORD needed = 0;
  if (EnumProcessModules(process, &module, sizeof module, &needed)) {
    // A truncated name need not end in a NUL: only the characters the call counts are read.
    DWORD length = GetModuleFileNameExW(process, module, path, MAX_PATH);
    if (length > 0) return Narrow(std::wstring_view(path, wcsnlen(path, std::min<DWORD>(length, MAX_PATH))));
  }
  DWORD length = GetProcessImageFileNameW(process, path, MAX_PATH);
  if (length == 0) return {};
  return DevicePathToDosPath(Narrow(std::wstring_view(path, length)));
}

std::string DevicePathToDosPath(std::string_view devicePath) {
  return DevicePathToDosPath(devicePath, [](char letter) {
    wchar_t drive[3] = {static_cast<wchar_t>(letter), L':', 0};
    wchar_t target[100] = {};
    // The first of the names behind the drive is the device.
    if (QueryDosDeviceW(drive, target, 100) == 0) return std::string();
    target[99] = 0;
    return Narrow(target);
  });
}

std::string GetProcessUser(HANDLE process) {
  TKernelHandle token;
  if (process == nullptr || !OpenProcessToken(process, TOKEN_QUERY, token.Put())) return {};
  std::vector<uint8_t> buffer(64);
  DWORD needed = 0;
  bool read = false;
  for (;;) {
    if (GetTokenInformation(token.Get(), TokenUser, buffer.data(), static_cast<DWORD>(buffer.size()),
                            &needed)) {
      read = true;
      break;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) break;
    buffer.resize(needed);
  }
  token.Reset();
  if (!read) return {};
  PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
  DWORD nameLength = 0, domainLength = 0;
  SID_NAME_USE use;
  LookupAccountSidW(nullptr, sid, nullptr, &nameLength, nullptr, &domainLength, &use);
  if (nameLength == 0 || domainLength == 0) return {};
  std::wstring name(nameLength, L'\0');
  std::wstring domain(domainLength, L'\0');
  if (!LookupAccountSidW(nullptr, sid, name.data(), &nameLength, domain.data(), &domainLength, &use))
    return {};
  name.resize(nameLength);
  return Narrow(name);
}

bool IsSystemProcess(const TProcessItem& item) {
  static const DWORD major = [] {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&version);
#pragma GCC diagnostic pop
    return version.dwMajorVersion;
  }();
  if (major != 5) {
    DWORD session = 0;
    return !ProcessIdToSessionId(item.ProcessID, &session) || session == 0;
  }
  // Windows XP and 2003: processes of other users are system processes.
  static const std::string currentUser = [] {
    wchar_t user[257] = {};
    DWORD length = 257;
    return GetUserNameW(user, &length) ? Narrow(user) : std::string();
  }();
  return item.ExeUser.empty() || item.ExeUser != currentUser;
}

}  // namespace vsm
