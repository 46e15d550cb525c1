#pragma once
// The rules of the process list that need no operating system: CPU share arithmetic, protected
// names, device-path mapping and the private working-set count. The Windows shell
// (ProcessList_win.h) feeds them what the system reports.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "software/ProcessItem.h"

namespace vsm {

// A measurement closer than this many processor-milliseconds to the baseline yields 0 and keeps
// the baseline, so the next one covers the whole time.
inline constexpr int64_t kMinCpuSpanProcessorMs = 250;

// Sets the baseline at `nowTick`; the times are taken over only when they could be read.
void StartCpuUsage(TCPUUsageData& data, uint32_t nowTick, bool timesRead, int64_t kernel, int64_t user);

// Percent of the whole machine used since the baseline, from the process's kernel and user times
// (100-ns units) now. Updates the baseline unless the span is too short.
float ComputeCpuUsage(TCPUUsageData& data, int64_t kernel, int64_t user, uint32_t nowTick,
                      int processorCount);

// One of the 18 system processes that are never ended, by lower-cased executable name.
bool IsProtectedProcess(std::string_view exeName);

// Turns "\Device\HarddiskVolume1\dir\file.exe" into "C:\dir\file.exe". `deviceOfDrive` gives the
// device name behind "X:" (empty when none); letters are tried from A to Z and the first whose
// device matches the path's first two components, ignoring case, wins. Empty when none matches.
std::string DevicePathToDosPath(std::string_view devicePath,
                                const std::function<std::string(char letter)>& deviceOfDrive);

// Private working set in bytes from a working-set buffer: a 32-bit entry count followed by one
// 32-bit entry per page. Shared pages outside the kernel's 0xC0000000-0xE0000FFF window do not
// count. `bufferWords` bounds the entries read.
uint64_t PrivateWorkingSetBytes(const uint32_t* buffer, size_t bufferWords);

}  // namespace vsm
