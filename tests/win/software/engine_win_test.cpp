#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <vector>

#include "ChildProcess_win.h"
#include "EngineItems.h"
#include "host_traffic_win.h"
#include "sim/SimTrafficFilter.h"
#include "software/DriverEvent_win.h"
#include "software/Software_win.h"
#include "software/TdiFwDrv.h"

namespace vsm {
namespace {

using test::ChildProcess;
using test::FindItem;

void Sample(TSoftware& engine) {
  engine.UpdateSystem();
  engine.UpdateProcesses();
}

double NowMs() {
  using Ms = std::chrono::duration<double, std::milli>;
  return Ms(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Two samples half a second apart; `between` runs before the second. The engine's period lies
// between the two bounds the test measures around them.
struct PeriodBounds {
  double shortestMs = 0;
  double longestMs = 0;
};

PeriodBounds SampleTwice(TSoftware& engine, const std::function<void()>& between) {
  const double beforeFirst = NowMs();
  Sample(engine);
  const double afterFirst = NowMs();
  between();
  Sleep(500);
  const double beforeSecond = NowMs();
  Sample(engine);
  return {beforeSecond - afterFirst, NowMs() - beforeFirst};
}

// A rate is the period's bytes per second of the period's measured length.
void ExpectPerSecond(double rate, uint64_t bytes, const PeriodBounds& period) {
  EXPECT_GE(rate, static_cast<double>(bytes) * 1000 / period.longestMs - 1) << bytes;
  EXPECT_LE(rate, static_cast<double>(bytes) * 1000 / period.shortestMs + 1) << bytes;
}

TEST(SoftwareOnWindows, WithoutTheDriverManagerMachineTrafficComesFromTheInterfaces) {
  std::unique_ptr<TSoftware> engine = CreateSoftware();
  EXPECT_FALSE(engine->HasTdiData());
  const MachineTotals before = test::HostTotals();
  uint64_t firstIn = 0, firstOut = 0;
  const PeriodBounds period = SampleTwice(*engine, [&] {
    firstIn = engine->Bytes_In();
    firstOut = engine->Bytes_Out();
  });
  const MachineTotals after = test::HostTotals();
  // The totals are the host's own counters of its interfaces that are up, loopback excluded.
  EXPECT_LE(before.received, firstIn);
  EXPECT_LE(engine->Bytes_In(), after.received);
  EXPECT_LE(before.sent, firstOut);
  EXPECT_LE(engine->Bytes_Out(), after.sent);
  EXPECT_EQ(engine->TdiRecord().CurPoint(), 1);
  ExpectPerSecond(engine->TdiRecord().RecvPerS(), engine->Bytes_In() - firstIn, period);
  ExpectPerSecond(engine->TdiRecord().SendPerS(), engine->Bytes_Out() - firstOut, period);
  // Per-process traffic needs the filter driver: it stays unknown.
  TProcessItemRef self = FindItem(*engine, GetCurrentProcessId());
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(self->byte_in, -1);
  EXPECT_EQ(self->byte_out, -1);
  EXPECT_EQ(self->RecvDataPerS, -1);
  EXPECT_FALSE(engine->DisableNet(self.get()));
  EXPECT_GT(engine->Memoryrate(), 0);
  EXPECT_EQ(engine->CpuRecord().CurPoint(), 2);
  EXPECT_LE(engine->CpuRecord().Newest(), 100);
}

TEST(SoftwareOnWindows, ChildAppearsAfterOnePassAndLeavesWhenItEnds) {
  std::unique_ptr<TSoftware> engine = CreateSoftware();
  DWORD id = 0;
  {
    ChildProcess child(L"wait");
    ASSERT_TRUE(child.Started());
    id = child.Id();
    EXPECT_EQ(FindItem(*engine, id), nullptr);
    engine->UpdateProcesses();
    TProcessItemRef item = FindItem(*engine, id);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->ExeName, "test_child.exe");
    EXPECT_FALSE(item->ExePath.empty());
    EXPECT_FALSE(item->ExeUser.empty());
  }  // the child is ended here
  engine->UpdateProcesses();
  EXPECT_EQ(FindItem(*engine, id), nullptr);
}

TEST(SoftwareOnWindows, KillProcessEndsTheChildAndDropsItsItem) {
  std::unique_ptr<TSoftware> engine = CreateSoftware();
  ChildProcess child(L"wait");
  ASSERT_TRUE(child.Started());
  engine->UpdateProcesses();
  TProcessItemRef item = FindItem(*engine, child.Id());
  ASSERT_NE(item, nullptr);
  engine->UpdateMemory = true;
  engine->UpdateProcesses();
  EXPECT_GT(item->Memoryuse, 0u);
  EXPECT_TRUE(engine->KillProcess(item.get()));
  EXPECT_TRUE(child.WaitForExit(5000));
  EXPECT_EQ(FindItem(*engine, child.Id()), nullptr);
  // The page's reference stays valid.
  EXPECT_EQ(item->ExeName, "test_child.exe");
}

struct NotificationWindow {
  static inline std::atomic<int> received{0};
  static inline std::atomic<WPARAM> engine{0};

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSoftwareSampledMessage && lParam == 0) {
      engine = wParam;
      ++received;
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
};

TEST(SoftwareOnWindows, WorkerSendsMessage3129WithTheEngine) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = NotificationWindow::Proc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"VsmSoftwareProbe";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"VsmSoftwareProbe", L"probe", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  std::unique_ptr<TSoftware> engine = CreateSoftware();
  NotificationWindow::received = 0;
  engine->StartAsynTimer(50, NotifyWindow(window));
  DWORD until = GetTickCount() + 10000;
  MSG message;
  while (NotificationWindow::received < 2 && static_cast<LONG>(GetTickCount() - until) < 0) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  EXPECT_GE(NotificationWindow::received, 2);
  EXPECT_EQ(NotificationWindow::engine, reinterpret_cast<WPARAM>(engine.get()));
  EXPECT_LE(engine->CPUrate(), 100);
  engine->EndTimer();
  // Destroying the engine waits for its worker, which may be sending to this thread right now.
  engine.reset();
  DestroyWindow(window);
}

TEST(SoftwareOnWindows, SimulatedFilterSignalsARealEventObject) {
  sim::SimTrafficFilter device;
  device.SetEventSignaller(
      [](uint32_t handle) { SetEvent(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(handle))); });
  TSoftware engine(CreateWindowsSoftwarePlatform(),
                   std::make_unique<TVeskTdiFwDrv>(device.OpenChannel(), WindowsDriverEventFactory()));
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  engine.OnTdiEvent([done](TDrvEventThread&) { SetEvent(done); });
  ASSERT_NE(device.RegisteredEvent(), 0u);
  ASSERT_TRUE(device.ProcessCreated());
  EXPECT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
  engine.OnTdiEvent(nullptr);
  EXPECT_EQ(device.RegisteredEvent(), 0u);
  CloseHandle(done);
}

TEST(SoftwareOnWindows, ProcessTrafficFromTheSimulatedFilter) {
  sim::SimTrafficFilter device;
  TSoftware engine(CreateWindowsSoftwarePlatform(),
                   std::make_unique<TVeskTdiFwDrv>(device.OpenChannel(), WindowsDriverEventFactory()));
  DWORD self = GetCurrentProcessId();
  device.AddTraffic(self, 5000, 700);
  const PeriodBounds period = SampleTwice(engine, [&] { device.AddTraffic(self, 2048, 100); });
  TProcessItemRef item = FindItem(engine, self);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->byte_in, 7048);
  ExpectPerSecond(item->RecvDataPerS, 2048, period);
  ExpectPerSecond(item->SendDataPerS, 100, period);
  ExpectPerSecond(engine.TdiRecord().RecvPerS(), 2048, period);
}

// Bytes that flow steadily in real time: before each traffic read the simulated filter is
// brought up to the bytes due by then, all of them this process's. The reply to this process's
// own read is slow, so that a sample takes a good part of a second, as on a loaded machine.
class SteadyTrafficChannel final : public CountingDriverChannel {
 public:
  static constexpr uint64_t kBytesPerSecond = 1'000'000;
  static constexpr DWORD kSlowReplyMs = 300;

  SteadyTrafficChannel(sim::SimTrafficFilter& filter, uint32_t processId)
      : filter_(filter), inner_(filter.OpenChannel()), processId_(processId), startMs_(NowMs()) {}
  bool IsOpen() const override { return inner_->IsOpen(); }
  bool ControlReturning(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                        uint32_t& returned) override {
    if (code != tdi::kIoctlGetProcessData) {
      return inner_->ControlReturning(code, in, inSize, out, outSize, returned);
    }
    const auto due = static_cast<uint64_t>((NowMs() - startMs_) * kBytesPerSecond / 1000);
    filter_.AddTraffic(processId_, due - given_, (due - given_) / 2);
    given_ = due;
    const bool ok = inner_->ControlReturning(code, in, inSize, out, outSize, returned);
    uint32_t asked = 0;
    if (inSize >= sizeof asked) std::memcpy(&asked, in, sizeof asked);
    if (asked == processId_) Sleep(kSlowReplyMs);
    return ok;
  }

 private:
  sim::SimTrafficFilter& filter_;
  std::unique_ptr<DriverChannel> inner_;
  uint32_t processId_;
  double startMs_;
  uint64_t given_ = 0;
};

// The worker waits a second after each sample, so a period is that second plus the sample: the
// rates shown are still the bytes of one real second, for the machine and for the process.
TEST(SoftwareOnWindows, RatesOfTheWorkerArePerRealSecond) {
  sim::SimTrafficFilter device;
  const DWORD self = GetCurrentProcessId();
  TSoftware engine(CreateWindowsSoftwarePlatform(),
                   std::make_unique<TVeskTdiFwDrv>(std::make_unique<SteadyTrafficChannel>(device, self),
                                                   WindowsDriverEventFactory()));
  engine.StartAsynTimer(1000);
  const double deadline = NowMs() + 30000;
  while (engine.TdiRecord().CurPoint() < 3 && NowMs() < deadline) Sleep(100);
  engine.EndTimer();
  ASSERT_GE(engine.TdiRecord().CurPoint(), 3);
  // A machine shared with other work may hold the worker up between a read and its clock: the
  // middle one of three samples is what counts.
  std::vector<uint32_t> rates = {engine.TdiRecord().InEntry(1), engine.TdiRecord().InEntry(2),
                                 engine.TdiRecord().InEntry(3)};
  std::sort(rates.begin(), rates.end());
  const double expected = SteadyTrafficChannel::kBytesPerSecond;
  EXPECT_NEAR(rates[1], expected, expected * 0.02);
  EXPECT_NEAR(engine.TdiRecord().OutEntry(2), expected / 2, expected * 0.05);
  TProcessItemRef item = FindItem(engine, self);
  ASSERT_NE(item, nullptr);
  EXPECT_NEAR(item->RecvDataPerS, expected, expected * 0.05);
}

}  // namespace
}  // namespace vsm
