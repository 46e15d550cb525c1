#include <gtest/gtest.h>

#include "base/le_bytes.h"
#include "software/TotalCpuLoad.h"

namespace vsm {
namespace {

TEST(DecodeSystemCpuTimes, FieldsAtTheirOffsets) {
  uint8_t basic[kBasicInformationSize] = {};
  uint8_t performance[kPerformanceInformationSize] = {};
  uint8_t timeOfDay[kTimeOfDayInformationSize] = {};
  basic[40] = 8;
  PutLe(performance, 0, 0x0000000123456789ull, 8);
  PutLe(timeOfDay, 0, 0xFFFFFFFFFFFFFFFFull, 8);  // boot time: not used
  PutLe(timeOfDay, 8, 0x01D9000000000000ull, 8);
  SystemCpuTimes times = DecodeSystemCpuTimes(basic, performance, timeOfDay);
  EXPECT_EQ(times.processors, 8);
  EXPECT_EQ(times.idleTime, 0x0000000123456789ll);
  EXPECT_EQ(times.systemTime, 0x01D9000000000000ll);
}

TEST(TotalCpuLoadMeter, IdleAgainstElapsedTimeOfAllProcessors) {
  TotalCpuLoadMeter meter;
  EXPECT_EQ(meter.Sample({4, 1'000'000, 50'000'000}), 0);  // first reading
  // 1 s passed on 4 processors, 3 s of it idle: 25 % load.
  EXPECT_EQ(meter.Sample({4, 31'000'000, 60'000'000}), 25);
  // 0.1 s of 4 s idle: 97.5 + 0.5 truncates to 98.
  EXPECT_EQ(meter.Sample({4, 32'000'000, 70'000'000}), 98);
}

TEST(TotalCpuLoadMeter, NoSpanOrNoProcessorsStoresNothing) {
  TotalCpuLoadMeter meter;
  meter.Sample({2, 1'000'000, 10'000'000});
  EXPECT_EQ(meter.Sample({2, 5'000'000, 10'000'000}), 0);
  EXPECT_EQ(meter.Sample({0, 5'000'000, 20'000'000}), 0);
  // Still measured against the first reading: 1 s on 2 processors, 0.5 s idle.
  EXPECT_EQ(meter.Sample({2, 6'000'000, 20'000'000}), 75);
}

TEST(TotalCpuLoadMeter, DisagreeingCountersStayWithinZeroTo100) {
  TotalCpuLoadMeter meter;
  meter.Sample({1, 1'000'000, 10'000'000});
  EXPECT_EQ(meter.Sample({1, 30'000'000, 20'000'000}), 0);    // more idle than time passed
  EXPECT_EQ(meter.Sample({1, 10'000'000, 30'000'000}), 100);  // idle went backwards
}

}  // namespace
}  // namespace vsm
