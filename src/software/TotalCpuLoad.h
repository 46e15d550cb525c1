#pragma once
// The machine's total CPU load from the native system information: the idle time of all
// processors against the system time that passed, between two readings.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace vsm {

// Buffer sizes of the three information classes read: basic (0), performance (2), time of day (3).
inline constexpr size_t kBasicInformationSize = 44;
inline constexpr size_t kPerformanceInformationSize = 368;
inline constexpr size_t kTimeOfDayInformationSize = 32;

struct SystemCpuTimes {
  int processors = 0;
  int64_t idleTime = 0;    // idle time of all processors, 100-ns units
  int64_t systemTime = 0;  // current system time, 100-ns units
};

// Picks the fields out of the three replies: the processor count is the byte at offset 40 of the
// basic information, the idle time the first 64 bits of the performance information, the system
// time the 64 bits at offset 8 of the time of day.
SystemCpuTimes DecodeSystemCpuTimes(const uint8_t (&basic)[kBasicInformationSize],
                                    const uint8_t (&performance)[kPerformanceInformationSize],
                                    const uint8_t (&timeOfDay)[kTimeOfDayInformationSize]);

// Keeps the previous reading. The first reading gives 0.
class TotalCpuLoadMeter {
 public:
  int Sample(const SystemCpuTimes& times);

 private:
  int64_t previousIdle_ = 0;
  int64_t previousSystem_ = 0;
};

}  // namespace vsm
