#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "CallCounter.h"
#include "base/le_bytes.h"
#include "sim/SimTrafficFilter.h"
#include "software/TdiFwDrv.h"

namespace vsm {
namespace {

using Bytes = std::vector<uint8_t>;

std::vector<sim::DriverRequest> RequestsWithCode(const sim::SimTrafficFilter& device, uint32_t code) {
  std::vector<sim::DriverRequest> found;
  for (const auto& request : device.Requests()) {
    if (request.code == code) found.push_back(request);
  }
  return found;
}

TEST(TVeskTdiFwDrv, ControlCodesAreBuiltFromDeviceAccessFunctionAndMethod) {
  EXPECT_EQ(tdi::kIoctlGetProcessData, 0x0012C807u);
  EXPECT_EQ(tdi::kIoctlGetProcessConn, 0x0012C80Bu);
  EXPECT_EQ(tdi::kIoctlRegisterEvent, 0x0012CC07u);
  EXPECT_EQ(tdi::kIoctlSetFilterRule, 0x0012CC0Bu);
  EXPECT_EQ(tdi::kIoctlGetFilterRule, 0x0012CC0Fu);
}

TEST(TVeskTdiFwDrv, WithoutDriverEverythingFailsQuietly) {
  TVeskTdiFwDrv drv(nullptr, nullptr);
  EXPECT_FALSE(drv.Actived());
  uint8_t buffer[22] = {22, 0xAA};
  EXPECT_EQ(drv.GetProcessData(1234, buffer, sizeof buffer), 0);
  EXPECT_EQ(buffer[0], 22);
  EXPECT_EQ(buffer[1], 0xAA);
  EXPECT_EQ(drv.GetProcessConn(1234, buffer, sizeof buffer), 0);
  EXPECT_FALSE(drv.SetFilterRule(1234, ALL, DENY, 0));
  EXPECT_FALSE(drv.GetFilterRule(1234, buffer, sizeof buffer));
  drv.OnNewProcessCreate([](TDrvEventThread&) {});
}

TEST(TVeskTdiFwDrv, RuleRecordsCarryTheExactBytes) {
  sim::SimTrafficFilter device;
  TVeskTdiFwDrv drv(device.OpenChannel(), device.EventFactory());
  ASSERT_TRUE(drv.Actived());
  EXPECT_TRUE(drv.SetFilterRule(0x00012345, RECV, SPEED, 10240));
  EXPECT_TRUE(drv.SetFilterRule(0x00012345, ALL, DENY, 0));
  EXPECT_TRUE(drv.SetFilterRule(77, SEND, ALLOW, -1));
  EXPECT_FALSE(drv.SetFilterRule("notepad.exe", ALL, DENY, 0));

  auto rules = RequestsWithCode(device, tdi::kIoctlSetFilterRule);
  ASSERT_EQ(rules.size(), 3u);
  EXPECT_EQ(rules[0].in,
            (Bytes{0x0E, 0x00, 0x04, 0x02, 0x00, 0x28, 0x00, 0x00, 0x45, 0x23, 0x01, 0x00, 0x00, 0x00}));
  EXPECT_EQ(rules[0].outSize, 0u);
  EXPECT_EQ(rules[1].in, (Bytes{0x0E, 0x00, 0x00, 0x01, 0, 0, 0, 0, 0x45, 0x23, 0x01, 0x00, 0x00, 0x00}));
  EXPECT_EQ(rules[2].in, (Bytes{0x0E, 0x00, 0x03, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 77, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(device.IsBlocked(0x12345));
  EXPECT_EQ(device.Rule(0x12345, RECV)->limit, 10240);
}

TEST(TVeskTdiFwDrv, CountersAndRuleRepliesAreDecodedFromTheDevice) {
  sim::SimTrafficFilter device;
  device.AddTraffic(500, 0x0102030405060708ull, 0x1112131415161718ull);
  TVeskTdiFwDrv drv(device.OpenChannel(), device.EventFactory());

  uint8_t total[17] = {17};
  EXPECT_EQ(drv.GetProcessData(0, total, sizeof total), 17);
  EXPECT_EQ(ByteView(total, sizeof total).U64(1), 0x1112131415161718ull);  // sent
  EXPECT_EQ(ByteView(total, sizeof total).U64(9), 0x0102030405060708ull);  // received

  uint8_t process[22] = {22};
  EXPECT_EQ(drv.GetProcessData(500, process, sizeof process), 22);
  EXPECT_EQ(ByteView(process, sizeof process).U64(6), 0x1112131415161718ull);
  EXPECT_EQ(ByteView(process, sizeof process).U64(14), 0x0102030405060708ull);

  auto reads = RequestsWithCode(device, tdi::kIoctlGetProcessData);
  ASSERT_EQ(reads.size(), 2u);
  EXPECT_EQ(reads[0].in, (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(reads[0].outSize, 17u);
  EXPECT_EQ(reads[1].in, (Bytes{0xF4, 0x01, 0, 0}));
  EXPECT_EQ(reads[1].outSize, 22u);

  uint8_t rule[14] = {14};
  EXPECT_TRUE(drv.GetFilterRule(500, rule, sizeof rule));
  EXPECT_EQ(ByteView(rule, sizeof rule).U16(0), 0);
  drv.SetFilterRule(500, ALL, DENY, 0);
  uint8_t blocked[14] = {14};
  EXPECT_TRUE(drv.GetFilterRule(500, blocked, sizeof blocked));
  EXPECT_EQ(ByteView(blocked, sizeof blocked).U16(0), 1);
  EXPECT_EQ(RequestsWithCode(device, tdi::kIoctlGetFilterRule).back().in, (Bytes{0xF4, 0x01, 0, 0}));
}

TEST(TVeskTdiFwDrv, FailingDeviceReturnsZeroBytesAndFalse) {
  sim::SimTrafficFilter device;
  device.SetFailing(true);
  TVeskTdiFwDrv drv(device.OpenChannel(), device.EventFactory());
  uint8_t total[17] = {17};
  EXPECT_EQ(drv.GetProcessData(0, total, sizeof total), 0);
  EXPECT_FALSE(drv.SetFilterRule(1, ALL, DENY, 0));
  uint8_t rule[14] = {14};
  EXPECT_FALSE(drv.GetFilterRule(1, rule, sizeof rule));
}

TEST(TVeskTdiFwDrv, EmptyHandlerStillUnregisters) {
  sim::SimTrafficFilter device;
  {
    TVeskTdiFwDrv drv(device.OpenChannel(), device.EventFactory());
    drv.OnNewProcessCreate(nullptr);
    auto registrations = RequestsWithCode(device, tdi::kIoctlRegisterEvent);
    ASSERT_EQ(registrations.size(), 1u);
    EXPECT_EQ(registrations[0].in, (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(device.Requests().size(), 1u);
  }
  // Destroying the wrapper unregisters once more.
  EXPECT_EQ(RequestsWithCode(device, tdi::kIoctlRegisterEvent).size(), 2u);
}

TEST(TVeskTdiFwDrv, ProcessCreationCallsTheHandlerOnItsThread) {
  sim::SimTrafficFilter device;
  TVeskTdiFwDrv drv(device.OpenChannel(), device.EventFactory());
  test::CallCounter first;
  std::atomic<bool> otherThread{false};
  std::thread::id testThread = std::this_thread::get_id();
  drv.OnNewProcessCreate([&](TDrvEventThread&) {
    otherThread = std::this_thread::get_id() != testThread;
    first.Hit();
  });
  auto registrations = RequestsWithCode(device, tdi::kIoctlRegisterEvent);
  ASSERT_EQ(registrations.size(), 1u);
  uint32_t handle = device.RegisteredEvent();
  EXPECT_NE(handle, 0u);
  EXPECT_EQ(registrations[0].in,
            (Bytes{static_cast<uint8_t>(handle), static_cast<uint8_t>(handle >> 8),
                   static_cast<uint8_t>(handle >> 16), static_cast<uint8_t>(handle >> 24)}));

  ASSERT_TRUE(device.ProcessCreated());
  ASSERT_TRUE(first.WaitFor(1));
  EXPECT_TRUE(otherThread);

  // A second handler replaces the first without a second registration.
  test::CallCounter second;
  drv.OnNewProcessCreate([&](TDrvEventThread&) { second.Hit(); });
  EXPECT_EQ(RequestsWithCode(device, tdi::kIoctlRegisterEvent).size(), 1u);
  ASSERT_TRUE(device.ProcessCreated());
  ASSERT_TRUE(second.WaitFor(1));
  EXPECT_EQ(first.Count(), 1);

  // Clearing it unregisters and ends the thread, whose wait has no time-out.
  drv.OnNewProcessCreate(nullptr);
  EXPECT_EQ(device.RegisteredEvent(), 0u);
  EXPECT_FALSE(device.ProcessCreated());
  EXPECT_EQ(second.Count(), 1);
}

TEST(TVeskTdiFwDrv, DestroyingWithARunningEventThreadDoesNotHang) {
  sim::SimTrafficFilter device;
  auto drv = std::make_unique<TVeskTdiFwDrv>(device.OpenChannel(), device.EventFactory());
  drv->OnNewProcessCreate([](TDrvEventThread&) {});
  ASSERT_NE(device.RegisteredEvent(), 0u);
  drv.reset();
  EXPECT_EQ(device.RegisteredEvent(), 0u);
}

TEST(TVeskTdiFwDrv, FailedRegistrationStartsNoThread) {
  sim::SimTrafficFilter device;
  device.SetFailing(true);
  TVeskTdiFwDrv drv(device.OpenChannel(), device.EventFactory());
  drv.OnNewProcessCreate([](TDrvEventThread&) {});
  device.SetFailing(false);
  EXPECT_EQ(device.RegisteredEvent(), 0u);
  // With no thread, a later handler tries to register again.
  drv.OnNewProcessCreate([](TDrvEventThread&) {});
  EXPECT_NE(device.RegisteredEvent(), 0u);
  EXPECT_EQ(RequestsWithCode(device, tdi::kIoctlRegisterEvent).size(), 2u);
}

}  // namespace
}  // namespace vsm
