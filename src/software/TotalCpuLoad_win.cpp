#include "software/TotalCpuLoad_win.h"

#include <windows.h>

#include <mutex>

#include "software/NtQuerySystemInformation_win.h"
#include "software/TotalCpuLoad.h"

namespace vsm {

namespace {

template <size_t N>
bool Query(NtQuerySystemInformationFn query, ULONG infoClass, uint8_t (&buffer)[N]) {
  return query(infoClass, buffer, static_cast<ULONG>(N), nullptr) >= 0;
}

}  // namespace

int GetTotalCpuLoad() {
  constexpr ULONG kBasicInformation = 0;
  constexpr ULONG kPerformanceInformation = 2;
  constexpr ULONG kTimeOfDayInformation = 3;
  NtQuerySystemInformationFn query = NtQuerySystemInformationFunction();
  if (query == nullptr) return 0;
  // One previous reading for the whole process, shared by the worker and direct readers; the
  // lock also keeps two callers' readings in order.
  static std::mutex lock;
  static TotalCpuLoadMeter meter;
  std::lock_guard guard(lock);
  uint8_t basic[kBasicInformationSize] = {};
  uint8_t performance[kPerformanceInformationSize] = {};
  uint8_t timeOfDay[kTimeOfDayInformationSize] = {};
  if (!Query(query, kBasicInformation, basic) || !Query(query, kTimeOfDayInformation, timeOfDay) ||
      !Query(query, kPerformanceInformation, performance)) {
    return 0;
  }
  return meter.Sample(DecodeSystemCpuTimes(basic, performance, timeOfDay));
}

}  // namespace vsm
