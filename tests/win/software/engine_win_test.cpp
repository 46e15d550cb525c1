#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "ChildProcess_win.h"
#include "EngineItems.h"
#include "sim/SimTrafficFilter.h"
#include "software/DriverEvent_win.h"
#include "software/Software_win.h"
#include "host_traffic_win.h"

namespace vsm {
namespace {

using test::ChildProcess;
using test::FindItem;

void Sample(TSoftware& engine) {
  engine.UpdateSystem();
  engine.UpdateProcesses();
}

TEST(SoftwareOnWindows, WithoutTheDriverManagerMachineTrafficComesFromTheInterfaces) {
  std::unique_ptr<TSoftware> engine = CreateSoftware();
  EXPECT_FALSE(engine->HasTdiData());
  const MachineTotals before = test::HostTotals();
  Sample(*engine);
  const uint64_t firstIn = engine->Bytes_In();
  const uint64_t firstOut = engine->Bytes_Out();
  Sample(*engine);
  const MachineTotals after = test::HostTotals();
  // The totals are the host's own counters of its interfaces that are up, loopback excluded.
  EXPECT_LE(before.received, firstIn);
  EXPECT_LE(engine->Bytes_In(), after.received);
  EXPECT_LE(before.sent, firstOut);
  EXPECT_LE(engine->Bytes_Out(), after.sent);
  EXPECT_EQ(engine->TdiRecord().CurPoint(), 1);
  EXPECT_EQ(engine->TdiRecord().RecvPerS(), engine->Bytes_In() - firstIn);
  EXPECT_EQ(engine->TdiRecord().SendPerS(), engine->Bytes_Out() - firstOut);
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
  device.SetEventSignaller([](uint32_t handle) { SetEvent(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(handle))); });
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
  Sample(engine);
  device.AddTraffic(self, 2048, 100);
  Sample(engine);
  TProcessItemRef item = FindItem(engine, self);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->byte_in, 7048);
  EXPECT_EQ(item->RecvDataPerS, 2048);
  EXPECT_EQ(item->SendDataPerS, 100);
  EXPECT_EQ(engine.TdiRecord().RecvPerS(), 2048u);
}

}  // namespace
}  // namespace vsm
