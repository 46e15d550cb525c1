#pragma once
// Total CPU load in percent from NtQuerySystemInformation, resolved from ntdll.dll at run time.
namespace vsm {

// Load since the previous call by any caller in the process; 0 for the first call and when a
// query fails.
int GetTotalCpuLoad();

}  // namespace vsm
