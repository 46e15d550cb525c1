#include "software/ProcessList_win.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>

#include "base/handle_win.h"
#include "base/wide_win.h"
#include "software/FileVersionInfo_win.h"
#include "software/ProcessInfo_win.h"

namespace vsm {

namespace {

static_assert(sizeof(PROCESSENTRY32W) == 556, "tool-help entry record of the 32-bit API");

TProcessItemRef MakeItem(const PROCESSENTRY32W& entry, const TProcessTimes* times) {
  auto item = std::make_shared<TProcessItem>();
  item->ProcessID = entry.th32ProcessID;
  item->ParentId = entry.th32ParentProcessID;
  item->ExeName = Narrow(std::wstring_view(entry.szExeFile, wcsnlen(entry.szExeFile, MAX_PATH)));
  if (item->ProcessID == 0 && item->ExeName.empty()) item->ExeName = "[System Idle Process]";
  if (times != nullptr) item->CreationTime = times->created;

  const TKernelHandle opened(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, entry.th32ProcessID));
  if (opened) {
    const HANDLE process = opened.Get();
    item->ExePath = GetProcessExePath(process);
    if (!item->ExePath.empty()) {
      TFileVersionInfo version = ReadFileVersionInfo(item->ExePath);
      item->ProductName = version.ProductName;
      item->Desc = DescriptionOf(version);
    }
    item->ExeUser = GetProcessUser(process);
    // A process whose token cannot be read keeps no handle; its CPU share then comes from the
    // system's records alone.
    if (!item->ExeUser.empty()) {
      item->Memoryuse = GetProcessPrivateBytes(entry.th32ProcessID);
      item->hProc = KeepProcessHandle(
          OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID));
    }
  }
  InitCpuUsage(item->CPUData, ItemHandle(*item), times);
  item->isSystem = IsSystemProcess(*item);
  return item;
}

}  // namespace

void FillProcessList(TProcessList& list, std::vector<TProcessIdentity>* known,
                     const std::vector<TProcessTimes>& records) {
  std::vector<TProcessIdentity> snapshot;
  // Sorted copy for the lookups; `known` itself keeps the caller's order until it is replaced.
  std::vector<TProcessIdentity> skip;
  if (known != nullptr) {
    skip = *known;
    std::sort(skip.begin(), skip.end(), IdentityIdLess);
  }
  const TKernelHandle snapshotHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  // Without a snapshot nothing is known to have ended: `known` stays as it was.
  if (!snapshotHandle) return;
  const HANDLE tools = snapshotHandle.Get();
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(tools, &entry); more; more = Process32NextW(tools, &entry)) {
    // The records were taken just before the snapshot: a process started in between has none,
    // and its start time stays unknown.
    const TProcessTimes* times = FindProcessTimes(records, {entry.th32ProcessID, 0});
    const TProcessIdentity identity{entry.th32ProcessID, times != nullptr ? times->created : 0};
    if (known != nullptr) {
      snapshot.push_back(identity);
      if (ContainsProcess(skip, identity)) continue;
    }
    list.Add(MakeItem(entry, times));
  }
  if (known != nullptr) *known = std::move(snapshot);
}

}  // namespace vsm
