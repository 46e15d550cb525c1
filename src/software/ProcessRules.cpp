#include "software/ProcessRules.h"

#include <algorithm>
#include <array>

#include "base/text.h"

namespace vsm {

void StartCpuUsage(TCPUUsageData& data, uint32_t nowTick, bool timesRead, int64_t kernel, int64_t user) {
  data.LastUpdateTime = nowTick;
  data.LastUsage = 0;
  if (timesRead) {
    data.oldKernel = kernel;
    data.oldUser = user;
  }
}

float ComputeCpuUsage(TCPUUsageData& data, int64_t kernel, int64_t user, uint32_t nowTick,
                      int processorCount) {
  // Unsigned subtraction keeps the span right across the tick counter's wrap.
  int64_t elapsedMs = static_cast<uint32_t>(nowTick - data.LastUpdateTime);
  int64_t processorMs = elapsedMs * processorCount;
  if (processorMs < kMinCpuSpanProcessorMs) return 0;
  // 100-ns units over processor-milliseconds: dividing by 100 gives percent.
  double used = static_cast<double>(kernel + user - data.oldUser - data.oldKernel);
  auto usage = static_cast<float>(used / static_cast<double>(processorMs) / 100.0);
  data.oldUser = user;
  data.oldKernel = kernel;
  data.LastUpdateTime = nowTick;
  data.LastUsage = usage;
  return usage;
}

bool IsProtectedProcess(std::string_view exeName) {
  static constexpr std::array<std::string_view, 18> kProtected = {
      "audiodg.exe", "dwm.exe",          "svchost.exe", "taskhost.exe", "wuauclt.exe",  "taskeng.exe",
      "system",      "[system process]", "wininit.exe", "winlogon.exe", "lsm.exe",      "lsass.exe",
      "csrss.exe",   "smss.exe",         "spoolsv.exe", "services.exe", "explorer.exe", "wmipreprvse.exe"};
  std::string lower = AsciiLower(exeName);
  return std::find(kProtected.begin(), kProtected.end(), lower) != kProtected.end();
}

std::string DevicePathToDosPath(std::string_view devicePath,
                                const std::function<std::string(char letter)>& deviceOfDrive) {
  size_t split = std::string_view::npos;
  size_t from = 0;
  for (int found = 0; found < 3; ++found) {
    split = devicePath.find('\\', from);
    if (split == std::string_view::npos) break;
    from = split + 1;
  }
  std::string_view device = devicePath.substr(0, split);
  std::string_view remainder =
      split == std::string_view::npos ? std::string_view() : devicePath.substr(split);
  if (device.empty() || !deviceOfDrive) return {};
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::string target = deviceOfDrive(letter);
    if (!target.empty() && EqualsNoCase(target, device)) {
      return std::string(1, letter) + ":" + std::string(remainder);
    }
  }
  return {};
}

uint64_t PrivateWorkingSetBytes(const uint32_t* buffer, size_t bufferWords) {
  if (buffer == nullptr || bufferWords == 0) return 0;
  size_t count = std::min<size_t>(buffer[0], bufferWords - 1);
  size_t shared = 0;
  for (size_t i = 1; i <= count; ++i) {
    uint32_t entry = buffer[i];
    uint32_t page = entry & 0xFFFFF000u;
    bool kernelWindow = page >= 0xC0000000u && page <= 0xE0000FFFu;
    if ((entry & 0x100u) != 0 && !kernelWindow) ++shared;
  }
  return static_cast<uint64_t>(count - shared) * 4096u;
}

}  // namespace vsm
