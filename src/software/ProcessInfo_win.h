#pragma once
// What the process list reads about one process: CPU share, memory, executable path, owning
// user and whether it counts as a system process.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "software/ProcessItem.h"

namespace vsm {

// The item's kept handle as a Windows handle (null when none).
HANDLE ItemHandle(const TProcessItem& item);
// A handle for an item to keep; it is closed when the item is released.
TProcessHandle KeepProcessHandle(HANDLE process);

// Percent of the whole machine used by the process since its last measurement; 0 for no item,
// process 0, unreadable times or a span under 250 processor-milliseconds.
float GetProcessCpuUsage(TProcessItem* item);
void InitCpuUsage(TCPUUsageData& data, HANDLE process);
// Logical processors this process can run on (at most 32), counted once.
int GetProcessorCount();

uint32_t GetProcessPrivateBytes(uint32_t processId);
uint32_t GetPrivateWorkingSet(HANDLE process);

// Drive-letter path of the executable; empty when unknown.
std::string GetProcessExePath(HANDLE process);
std::string DevicePathToDosPath(std::string_view devicePath);
// Account name (without domain) of the process token's user; empty when unknown.
std::string GetProcessUser(HANDLE process);
bool IsSystemProcess(const TProcessItem& item);

}  // namespace vsm
