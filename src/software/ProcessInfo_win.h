#pragma once
// What the process list reads about one process: CPU share, memory, executable path, owning
// user and whether it counts as a system process.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "software/ProcessItem.h"
#include "software/SystemProcessRecords.h"

namespace vsm {

// The item's kept handle as a Windows handle (null when none).
HANDLE ItemHandle(const TProcessItem& item);
// A handle for an item to keep; it is closed when the item is released.
TProcessHandle KeepProcessHandle(HANDLE process);

// Percent of the whole machine used by the process since its last measurement; 0 for no item,
// process 0, unreadable times or a span under 250 processor-milliseconds. The times come from
// the system's records (sorted by id) when they list this very process, else from its handle.
float GetProcessCpuUsage(TProcessItem* item, const std::vector<TProcessTimes>& records = {});
// The baseline from the system's record of the process when there is one, else from its handle.
void InitCpuUsage(TCPUUsageData& data, HANDLE process, const TProcessTimes* times = nullptr);
// Logical processors this process can run on (at most 32), counted once.
int GetProcessorCount();

uint64_t GetProcessPrivateBytes(uint32_t processId);
// Private working set in bytes; 0 for no handle or when the system cannot list the set.
uint64_t GetPrivateWorkingSet(HANDLE process);

// Drive-letter path of the executable; empty when unknown.
std::string GetProcessExePath(HANDLE process);
std::string DevicePathToDosPath(std::string_view devicePath);
// Account name (without domain) of the process token's user; empty when unknown.
std::string GetProcessUser(HANDLE process);
bool IsSystemProcess(const TProcessItem& item);

}  // namespace vsm
