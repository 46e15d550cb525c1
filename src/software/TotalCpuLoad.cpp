#include "software/TotalCpuLoad.h"

#include "base/le_bytes.h"

namespace vsm {

SystemCpuTimes DecodeSystemCpuTimes(const uint8_t (&basic)[kBasicInformationSize],
                                    const uint8_t (&performance)[kPerformanceInformationSize],
                                    const uint8_t (&timeOfDay)[kTimeOfDayInformationSize]) {
  SystemCpuTimes times;
  times.processors = basic[40];
  times.idleTime = static_cast<int64_t>(ByteView(performance, sizeof performance).U64(0));
  times.systemTime = static_cast<int64_t>(ByteView(timeOfDay, sizeof timeOfDay).U64(8));
  return times;
}

int TotalCpuLoadMeter::Sample(const SystemCpuTimes& times) {
  double load = 0;
  if (previousIdle_ != 0) {
    auto idle = static_cast<double>(times.idleTime - previousIdle_);
    auto span = static_cast<double>(times.systemTime - previousSystem_);
    if (span == 0 || times.processors == 0) return 0;
    load = 100.0 - idle / span * 100.0 / times.processors + 0.5;
  }
  previousIdle_ = times.idleTime;
  previousSystem_ = times.systemTime;
  // Counters that disagree (idle running ahead of the clock) must not make a load above 100,
  // which the CPU history could not tell from "no sample".
  if (load <= 0) return 0;
  return load >= 100 ? 100 : static_cast<int>(load);
}

}  // namespace vsm
