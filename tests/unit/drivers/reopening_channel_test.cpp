#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "drivers/ReopeningChannel.h"
#include "sim/SimTrafficFilter.h"
#include "software/TdiFwDrv.h"

namespace vsm {
namespace {

using namespace std::chrono_literals;
using Clock = ReopeningDriverChannel::Clock;

class ClosedChannel final : public DriverChannel {
 public:
  bool IsOpen() const override { return false; }
  bool Control(uint32_t, const void*, uint32_t, void*, uint32_t) override { return false; }
};

// A driver that comes up when the test says so; the clock moves only when the test moves it.
struct LateDriver {
  sim::SimTrafficFilter device;
  std::atomic<bool> up{false};
  std::atomic<int> asked{0};
  std::atomic<Clock::rep> ticks{0};

  DriverChannelFactory Factory() {
    return [this]() -> std::unique_ptr<DriverChannel> {
      ++asked;
      if (!up) return std::make_unique<ClosedChannel>();
      return device.OpenChannel();
    };
  }
  std::function<Clock::time_point()> Now() {
    return [this] { return Clock::time_point(Clock::duration(ticks.load())); };
  }
  void Advance(std::chrono::milliseconds by) {
    ticks += std::chrono::duration_cast<Clock::duration>(by).count();
  }
};

// The attempts run on their own thread: wait for what they do, generously.
template <typename Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 500 && !condition(); ++i) std::this_thread::sleep_for(10ms);
  return condition();
}

TEST(ReopeningDriverChannel, AsksAgainAtMostOncePerIntervalUntilTheDriverIsUp) {
  LateDriver driver;
  ReopeningDriverChannel channel(driver.Factory(), 3000ms, driver.Now());
  EXPECT_EQ(driver.asked, 1);  // at creation, at once
  EXPECT_FALSE(channel.IsOpen());

  // Within the interval nothing is asked, however often the channel is used.
  driver.Advance(2999ms);
  uint8_t in[4] = {}, out[17] = {};
  for (int i = 0; i < 20; ++i) EXPECT_FALSE(channel.Control(tdi::kIoctlGetProcessData, in, 4, out, 17));
  EXPECT_EQ(driver.asked, 1);

  // Due: one attempt, in the background; the driver is still down.
  driver.Advance(1ms);
  EXPECT_FALSE(channel.IsOpen());
  ASSERT_TRUE(Eventually([&] { return driver.asked == 2; }));
  for (int i = 0; i < 20; ++i) channel.IsOpen();
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(driver.asked, 2);

  // The driver comes up: the next due attempt opens it and requests reach it.
  driver.up = true;
  driver.Advance(3000ms);
  channel.IsOpen();
  ASSERT_TRUE(Eventually([&] { return channel.IsOpen(); }));
  uint32_t returned = 0;
  out[0] = sizeof out;  // the machine totals' record, its size first
  EXPECT_TRUE(channel.ControlReturning(tdi::kIoctlGetProcessData, in, 4, out, 17, returned));
  EXPECT_EQ(returned, 17u);

  // An open channel is kept: nothing is asked any more.
  const int asked = driver.asked;
  driver.Advance(60000ms);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(channel.IsOpen());
  EXPECT_EQ(driver.asked, asked);
}

TEST(ReopeningDriverChannel, ADriverUpAtCreationIsUsedAtOnce) {
  LateDriver driver;
  driver.up = true;
  ReopeningDriverChannel channel(driver.Factory(), 3000ms, driver.Now());
  EXPECT_TRUE(channel.IsOpen());
  EXPECT_EQ(driver.asked, 1);
}

TEST(ReopeningDriverChannel, ALateFilterDriverGetsTheProcessCreationEvent) {
  LateDriver driver;
  TVeskTdiFwDrv filter(std::make_unique<ReopeningDriverChannel>(driver.Factory(), 3000ms, driver.Now()),
                       driver.device.EventFactory());
  ASSERT_FALSE(filter.Actived());
  std::atomic<int> created{0};
  filter.OnNewProcessCreate([&](TDrvEventThread&) { ++created; });
  EXPECT_EQ(driver.device.RegisteredEvent(), 0u);

  driver.up = true;
  driver.Advance(3000ms);
  ASSERT_TRUE(Eventually([&] { return filter.Actived(); }));
  // The first request after the driver came up registers the kept handler's event.
  uint8_t buffer[22] = {22};
  filter.GetProcessData(0, buffer, sizeof buffer);
  EXPECT_NE(driver.device.RegisteredEvent(), 0u);
  ASSERT_TRUE(driver.device.ProcessCreated());
  EXPECT_TRUE(Eventually([&] { return created == 1; }));
}

}  // namespace
}  // namespace vsm
