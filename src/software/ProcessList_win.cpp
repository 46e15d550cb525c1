#include "software/ProcessList_win.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>

#include "base/wide_win.h"
#include "software/FileVersionInfo_win.h"
#include "software/ProcessInfo_win.h"

namespace vsm {

namespace {

static_assert(sizeof(PROCESSENTRY32W) == 556, "tool-help entry record of the 32-bit API");

TProcessItemRef MakeItem(const PROCESSENTRY32W& entry) {
  auto item = std::make_shared<TProcessItem>();
  item->ProcessID = entry.th32ProcessID;
  item->ParentId = entry.th32ParentProcessID;
  item->ExeName = Narrow(std::wstring_view(entry.szExeFile, wcsnlen(entry.szExeFile, MAX_PATH)));
  if (item->ProcessID == 0 && item->ExeName.empty()) item->ExeName = "[System Idle Process]";

  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, entry.th32ProcessID);
  if (process != nullptr) {
    item->ExePath = GetProcessExePath(process);
    if (!item->ExePath.empty()) {
      TFileVersionInfo version = ReadFileVersionInfo(item->ExePath);
      item->ProductName = version.ProductName;
      item->Desc = DescriptionOf(version);
    }
    item->ExeUser = GetProcessUser(process);
    // A process whose token cannot be read keeps no handle and always shows 0 % CPU.
    if (!item->ExeUser.empty()) {
      item->Memoryuse = GetProcessPrivateBytes(entry.th32ProcessID);
      item->hProc = KeepProcessHandle(
          OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID));
      InitCpuUsage(item->CPUData, ItemHandle(*item));
    }
    CloseHandle(process);
  }
  item->isSystem = IsSystemProcess(*item);
  return item;
}

}  // namespace

void FillProcessList(TProcessList& list, std::vector<uint32_t>* known) {
  std::vector<uint32_t> snapshotIds;
  // Sorted copy for the lookups; `known` itself keeps the caller's order until it is replaced.
  std::vector<uint32_t> skip;
  if (known != nullptr) {
    skip = *known;
    std::sort(skip.begin(), skip.end());
  }
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  // Without a snapshot nothing is known to have ended: `known` stays as it was.
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (known != nullptr) {
      snapshotIds.push_back(entry.th32ProcessID);
      if (std::binary_search(skip.begin(), skip.end(), entry.th32ProcessID)) continue;
    }
    list.Add(MakeItem(entry));
  }
  CloseHandle(snapshot);
  if (known != nullptr) *known = std::move(snapshotIds);
}

}  // namespace vsm
