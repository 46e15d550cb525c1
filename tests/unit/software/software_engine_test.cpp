#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "CallCounter.h"
#include "EngineItems.h"
#include "FakeSoftwarePlatform.h"
#include "sim/SimTrafficFilter.h"
#include "software/Software.h"

namespace vsm {
namespace {

using Bytes = std::vector<uint8_t>;
using test::FakeSoftwarePlatform;

class SoftwareEngine : public ::testing::Test {
 protected:
  void Run(std::initializer_list<FakeSoftwarePlatform::Process> processes) {
    std::lock_guard guard(state->lock);
    state->running = processes;
  }

  std::unique_ptr<TSoftware> Create(bool withDriver = true) {
    auto driver =
        withDriver ? std::make_unique<TVeskTdiFwDrv>(device.OpenChannel(), device.EventFactory()) : nullptr;
    return std::make_unique<TSoftware>(std::make_unique<FakeSoftwarePlatform>(state), std::move(driver));
  }

  static void Sample(TSoftware& engine) {
    engine.UpdateSystem();
    engine.UpdateProcesses();
  }

  std::vector<sim::DriverRequest> Requests(uint32_t code) const {
    std::vector<sim::DriverRequest> found;
    for (const auto& request : device.Requests()) {
      if (request.code == code) found.push_back(request);
    }
    return found;
  }

  std::shared_ptr<FakeSoftwarePlatform::State> state = std::make_shared<FakeSoftwarePlatform::State>();
  sim::SimTrafficFilter device;
};

TEST_F(SoftwareEngine, MachineTrafficRatesStartFromTheSecondRead) {
  Run({{0, "[System Idle Process]"}, {4, "System"}});
  device.SetMachineTotals(10'000, 2'000);
  auto engine = Create();
  EXPECT_TRUE(engine->HasTdiData());
  EXPECT_EQ(engine->Bytes_In(), TTdiRecord::kTotalsUnknown);

  engine->UpdateSystem();  // first read: totals only
  EXPECT_EQ(engine->Bytes_In(), 10'000u);
  EXPECT_EQ(engine->Bytes_Out(), 2'000u);
  EXPECT_EQ(engine->TdiRecord().CurPoint(), 0);
  EXPECT_EQ(engine->TdiRecord().RecvPerS(), 0u);

  device.AddTraffic(1234, 1500, 300);
  engine->UpdateSystem();
  EXPECT_EQ(engine->TdiRecord().CurPoint(), 1);
  EXPECT_EQ(engine->TdiRecord().RecvPerS(), 1500u);
  EXPECT_EQ(engine->TdiRecord().SendPerS(), 300u);
  EXPECT_EQ(engine->Bytes_In(), 11'500u);

  // A driver restart makes the counters go back: that sample is dropped, the totals are kept.
  device.SetMachineTotals(100, 100);
  engine->UpdateSystem();
  EXPECT_EQ(engine->TdiRecord().CurPoint(), 1);
  EXPECT_EQ(engine->Bytes_In(), 100u);
  device.AddTraffic(1234, 50, 60);
  engine->UpdateSystem();
  EXPECT_EQ(engine->TdiRecord().CurPoint(), 2);
  EXPECT_EQ(engine->TdiRecord().RecvPerS(), 50u);
  EXPECT_EQ(engine->TdiRecord().MaxInValue(), 1500u);

  auto totals = Requests(tdi::kIoctlGetProcessData);
  ASSERT_FALSE(totals.empty());
  EXPECT_EQ(totals[0].in, (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(totals[0].outSize, 17u);
}

TEST_F(SoftwareEngine, DifferencesAreTakenOnTheLow32Bits) {
  Run({});
  device.SetMachineTotals(0x1FFFFFF00ull, 0);
  auto engine = Create();
  engine->UpdateSystem();
  device.AddTraffic(9, 0x200, 0);  // the low half wraps past 2^32
  engine->UpdateSystem();
  EXPECT_EQ(engine->TdiRecord().RecvPerS(), 0x200u);
}

// A period lasts as long as the worker's wait plus the sample itself: every byte count is shown
// per second of the period it was counted in, for the machine and for each process.
TEST_F(SoftwareEngine, RatesArePerSecondOfTheMeasuredPeriod) {
  struct Case {
    uint64_t periodMs;
    uint64_t bytes;
    uint32_t perSecond;
  };
  const Case cases[] = {
      {1000, 1500, 1500},
      {1016, 101'600, 100'000},
      {1250, 1500, 1200},
      {500, 700, 1400},
      {1030, 1, 1},                 // rounded to the nearest byte
      {1, 0x7FFFFFFF, 0x7FFFFFFF},  // beyond 32 bits the rate is held at the largest
  };
  for (const Case& c : cases) {
    sim::SimTrafficFilter filter;
    auto platform = std::make_shared<FakeSoftwarePlatform::State>();
    platform->running = {{500, "app.exe"}};
    platform->periodMs = c.periodMs;
    TSoftware engine(std::make_unique<FakeSoftwarePlatform>(platform),
                     std::make_unique<TVeskTdiFwDrv>(filter.OpenChannel(), filter.EventFactory()));
    filter.AddTraffic(500, 10, 10);
    Sample(engine);
    filter.AddTraffic(500, c.bytes, c.bytes / 2);
    Sample(engine);
    EXPECT_EQ(engine.TdiRecord().RecvPerS(), c.perSecond) << c.periodMs << " ms";
    EXPECT_EQ(engine.TdiRecord().MaxInValue(), c.perSecond) << c.periodMs << " ms";
    TProcessItemRef app = test::FindItem(engine, 500);
    EXPECT_EQ(app->RecvDataPerS, static_cast<int32_t>(c.perSecond)) << c.periodMs << " ms";
    EXPECT_EQ(app->byte_in, static_cast<int64_t>(10 + c.bytes));
  }
}

TEST_F(SoftwareEngine, ReadsWithNoTimeBetweenThemAddNoRateAndTheNextCoversBoth) {
  Run({{500, "app.exe"}});
  auto engine = Create();
  device.AddTraffic(500, 100, 100);
  Sample(*engine);
  state->periodMs = 0;
  device.AddTraffic(500, 3000, 0);
  Sample(*engine);
  EXPECT_EQ(engine->TdiRecord().CurPoint(), 0);
  EXPECT_EQ(test::FindItem(*engine, 500)->RecvDataPerS, -1);
  state->periodMs = 2000;
  device.AddTraffic(500, 1000, 0);
  Sample(*engine);
  EXPECT_EQ(engine->TdiRecord().RecvPerS(), 2000u);
  EXPECT_EQ(test::FindItem(*engine, 500)->RecvDataPerS, 2000);
}

TEST_F(SoftwareEngine, MemoryAndCpuLoadSamples) {
  Run({});
  auto engine = Create(false);
  state->memoryLoad = 63;
  state->cpuLoad = 41;
  // Without a worker the values are read fresh.
  EXPECT_EQ(engine->Memoryrate(), 63);
  EXPECT_EQ(engine->CPUrate(), 41);
  engine->UpdateSystem();
  EXPECT_EQ(engine->CpuRecord().CurPoint(), 1);
  EXPECT_EQ(engine->CpuRecord().Newest(), 41);
}

TEST_F(SoftwareEngine, ProcessTrafficIsUnknownFirstAndRatesFollow) {
  Run({{0, "[System Idle Process]"}, {4, "System"}, {500, "app.exe"}});
  device.AddTraffic(0, 99, 99);
  device.AddTraffic(4, 99, 99);
  device.AddTraffic(500, 1000, 200);
  auto engine = Create();
  TProcessItemRef app = test::FindItem(*engine, 500);
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app->byte_in, -1);
  EXPECT_EQ(app->RecvDataPerS, -1);

  Sample(*engine);  // first read stores the totals
  EXPECT_EQ(app->byte_in, 1000);
  EXPECT_EQ(app->byte_out, 200);
  EXPECT_EQ(app->RecvDataPerS, -1);
  EXPECT_EQ(app->SendDataPerS, -1);

  device.AddTraffic(500, 4096, 10);
  Sample(*engine);
  EXPECT_EQ(app->RecvDataPerS, 4096);
  EXPECT_EQ(app->SendDataPerS, 10);
  EXPECT_EQ(app->byte_in, 5096);

  // Processes 0 and 4 never get traffic figures, and are never asked about.
  for (uint32_t id : {0u, 4u}) {
    TProcessItemRef item = test::FindItem(*engine, id);
    EXPECT_EQ(item->byte_in, -1);
    EXPECT_EQ(item->byte_out, -1);
    EXPECT_EQ(item->RecvDataPerS, -1);
  }
  for (const auto& request : Requests(tdi::kIoctlGetProcessData)) {
    EXPECT_NE(request.in, (Bytes{4, 0, 0, 0}));
  }
  auto reads = Requests(tdi::kIoctlGetProcessData);
  EXPECT_EQ(reads.back().in, (Bytes{0xF4, 0x01, 0, 0}));
  EXPECT_EQ(reads.back().outSize, 22u);
  EXPECT_EQ(Requests(tdi::kIoctlGetFilterRule).back().outSize, 14u);
}

TEST_F(SoftwareEngine, BlockingIsReadBackFromTheDriver) {
  Run({{500, "app.exe"}});
  auto engine = Create();
  TProcessItemRef app = test::FindItem(*engine, 500);
  EXPECT_TRUE(engine->DisableNet(app.get()));
  EXPECT_TRUE(device.IsBlocked(500));
  engine->UpdateProcesses();
  EXPECT_TRUE(app->isDisableNet);
  EXPECT_TRUE(engine->EnableNet(app.get()));
  engine->UpdateProcesses();
  EXPECT_FALSE(app->isDisableNet);
  EXPECT_FALSE(engine->DisableNet(nullptr));
}

TEST_F(SoftwareEngine, LimitsAreSpeedRulesAndMinusOneLiftsThem) {
  Run({{0x1234, "app.exe"}});
  auto engine = Create();
  TProcessItemRef app = test::FindItem(*engine, 0x1234);
  EXPECT_TRUE(engine->SetRecvLimit(app.get(), 10240));
  EXPECT_TRUE(engine->SetRecvLimit(app.get(), -1));
  EXPECT_TRUE(engine->SetSendLimit(app.get(), 512));
  auto rules = Requests(tdi::kIoctlSetFilterRule);
  ASSERT_EQ(rules.size(), 3u);
  EXPECT_EQ(rules[0].in,
            (Bytes{0x0E, 0x00, 0x04, 0x02, 0x00, 0x28, 0x00, 0x00, 0x34, 0x12, 0, 0, 0x00, 0x00}));
  EXPECT_EQ(rules[1].in, (Bytes{0x0E, 0x00, 0x04, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x34, 0x12, 0, 0, 0, 0}));
  EXPECT_EQ(rules[2].in, (Bytes{0x0E, 0x00, 0x03, 0x02, 0x00, 0x02, 0x00, 0x00, 0x34, 0x12, 0, 0, 0, 0}));
}

TEST_F(SoftwareEngine, WithoutTheDriverEverythingRunsWithUnknownTraffic) {
  Run({{500, "app.exe"}});
  auto engine = Create(false);
  EXPECT_FALSE(engine->HasTdiData());
  Sample(*engine);
  Sample(*engine);
  TProcessItemRef app = test::FindItem(*engine, 500);
  EXPECT_EQ(app->byte_in, -1);
  EXPECT_EQ(app->byte_out, -1);
  EXPECT_EQ(app->RecvDataPerS, -1);
  EXPECT_EQ(engine->TdiRecord().RecvPerS(), 0u);
  EXPECT_EQ(engine->TdiRecord().SendPerS(), 0u);
  EXPECT_EQ(engine->Bytes_In(), TTdiRecord::kTotalsUnknown);
  EXPECT_FALSE(engine->DisableNet(app.get()));
  EXPECT_FALSE(engine->SetRecvLimit(app.get(), 100));
  engine->OnTdiEvent([](TDrvEventThread&) {});
}

TEST_F(SoftwareEngine, WithoutTheDriverMachineRatesComeFromTheInterfaceCounters) {
  auto row = [](uint64_t key, uint64_t in, uint64_t out) {
    InterfaceCounters counters;
    counters.key = key;
    counters.operational = true;
    counters.inOctets = in;
    counters.outOctets = out;
    return counters;
  };
  InterfaceCounters loopback = row(1, 90'000, 90'000);
  loopback.loopback = true;
  std::vector<std::optional<std::vector<InterfaceCounters>>> tables = {
      std::vector<InterfaceCounters>{row(7, 1000, 500), loopback},
      // A VPN comes up with large counters of its own: no spike.
      std::vector<InterfaceCounters>{row(7, 1600, 700), row(9, 50'000, 40'000), loopback},
      std::nullopt,  // the table cannot be read: no sample, totals kept
      // The cable is pulled: only the VPN's growth counts.
      std::vector<InterfaceCounters>{row(9, 50'100, 40'050)},
  };
  size_t reads = 0;
  Run({{500, "app.exe"}});
  TSoftware engine(std::make_unique<FakeSoftwarePlatform>(state), nullptr, [&]() { return tables[reads++]; });
  EXPECT_FALSE(engine.HasTdiData());

  Sample(engine);  // first read: totals only
  EXPECT_EQ(engine.Bytes_In(), 1000u);
  EXPECT_EQ(engine.TdiRecord().CurPoint(), 0);
  Sample(engine);
  EXPECT_EQ(engine.TdiRecord().RecvPerS(), 600u);
  EXPECT_EQ(engine.TdiRecord().SendPerS(), 200u);
  const uint8_t point = engine.TdiRecord().CurPoint();
  Sample(engine);
  EXPECT_EQ(engine.TdiRecord().CurPoint(), point);
  EXPECT_EQ(engine.Bytes_In(), 1600u);
  Sample(engine);
  // The difference covers the two seconds since the last read: per second, half of it.
  EXPECT_EQ(engine.TdiRecord().RecvPerS(), 50u);
  EXPECT_EQ(engine.TdiRecord().SendPerS(), 25u);
  EXPECT_EQ(engine.TdiRecord().MaxInValue(), 600u);
  EXPECT_EQ(reads, tables.size());
  // No per-process figure is made up from the machine's counters.
  EXPECT_EQ(test::FindItem(engine, 500)->byte_in, -1);
  EXPECT_EQ(test::FindItem(engine, 500)->RecvDataPerS, -1);
}

TEST_F(SoftwareEngine, WithTheDriverOpenTheInterfaceCountersAreNotRead) {
  bool read = false;
  TSoftware engine(std::make_unique<FakeSoftwarePlatform>(state),
                   std::make_unique<TVeskTdiFwDrv>(device.OpenChannel(), device.EventFactory()),
                   [&]() -> std::optional<std::vector<InterfaceCounters>> {
                     read = true;
                     return std::nullopt;
                   });
  ASSERT_TRUE(engine.HasTdiData());
  Sample(engine);
  Sample(engine);
  EXPECT_FALSE(read);
}

TEST_F(SoftwareEngine, ClosedDriverChannelCountsAsNoDriver) {
  class ClosedChannel final : public DriverChannel {
   public:
    bool IsOpen() const override { return false; }
    bool Control(uint32_t, const void*, uint32_t, void*, uint32_t) override { return true; }
  };
  Run({{500, "app.exe"}});
  TSoftware engine(std::make_unique<FakeSoftwarePlatform>(state),
                   std::make_unique<TVeskTdiFwDrv>(std::make_unique<ClosedChannel>(), nullptr));
  EXPECT_FALSE(engine.HasTdiData());
  Sample(engine);
  EXPECT_EQ(test::FindItem(engine, 500)->byte_in, -1);
}

TEST_F(SoftwareEngine, ShortTrafficRepliesAreNotDecoded) {
  // A driver that answers every read with fewer bytes than a record holds.
  class ShortReplies final : public CountingDriverChannel {
   public:
    bool IsOpen() const override { return true; }
    bool ControlReturning(uint32_t code, const void*, uint32_t, void* out, uint32_t outSize,
                          uint32_t& returned) override {
      returned = 0;
      if (code != tdi::kIoctlGetProcessData || outSize < 9) return code != tdi::kIoctlGetProcessData;
      std::memset(out, 0x7F, 9);
      returned = 9;
      return true;
    }
  };
  Run({{500, "app.exe"}});
  TSoftware engine(std::make_unique<FakeSoftwarePlatform>(state),
                   std::make_unique<TVeskTdiFwDrv>(std::make_unique<ShortReplies>(), nullptr));
  ASSERT_TRUE(engine.HasTdiData());
  Sample(engine);
  Sample(engine);
  EXPECT_EQ(engine.Bytes_In(), TTdiRecord::kTotalsUnknown);
  EXPECT_EQ(engine.TdiRecord().CurPoint(), 0);
  EXPECT_EQ(test::FindItem(engine, 500)->byte_in, -1);
}

TEST_F(SoftwareEngine, PassAddsNewProcessesDropsEndedOnesAndOpensOnlyNewOnes) {
  Run({{10, "a.exe", 5}, {20, "b.exe", 7}});
  auto engine = Create();
  EXPECT_EQ(test::ItemIds(*engine), (std::vector<uint32_t>{10, 20}));
  Run({{20, "b.exe", 7}, {30, "c.exe", 3}});
  TProcessItemRef ended = test::FindItem(*engine, 10);
  int closedBefore = FakeSoftwarePlatform::ClosedHandles();
  engine->UpdateProcesses();
  EXPECT_EQ(test::ItemIds(*engine), (std::vector<uint32_t>{20, 30}));
  EXPECT_EQ(state->opened, (std::vector<uint32_t>{10, 20, 30}));
  EXPECT_FLOAT_EQ(test::FindItem(*engine, 20)->CPUuse, 7);
  EXPECT_FLOAT_EQ(test::FindItem(*engine, 30)->CPUuse, 3);  // measured in the pass that found it

  // The ended item is still valid for whoever holds it; its handle closes when the last holder
  // lets go.
  EXPECT_EQ(ended->ExeName, "a.exe");
  EXPECT_EQ(FakeSoftwarePlatform::ClosedHandles(), closedBefore);
  ended.reset();
  EXPECT_EQ(FakeSoftwarePlatform::ClosedHandles(), closedBefore + 1);
}

// Ids are reused: a process that ends and a new one given its id within one period are two
// processes, told apart by their start times; without a start time only the id can tell.
TEST_F(SoftwareEngine, ProcessesAreMatchedByIdAndStartTime) {
  Run({{700, "old.exe", 0, 0, "", 111}, {800, "kept.exe", 0, 0, "", 0}});
  auto engine = Create(false);
  TProcessItemRef old = test::FindItem(*engine, 700);
  TProcessItemRef kept = test::FindItem(*engine, 800);
  Run({{700, "new.exe", 0, 0, "", 222}, {800, "kept.exe", 0, 0, "", 333}});
  engine->UpdateProcesses();
  TProcessItemRef now = test::FindItem(*engine, 700);
  ASSERT_NE(now, nullptr);
  EXPECT_NE(now, old);
  EXPECT_EQ(now->ExeName, "new.exe");
  EXPECT_EQ(now->CreationTime, 222u);
  EXPECT_EQ(test::ItemIds(*engine), (std::vector<uint32_t>{800, 700}));
  EXPECT_EQ(test::FindItem(*engine, 800), kept);
  engine->UpdateProcesses();
  EXPECT_EQ(test::FindItem(*engine, 700), now);
  EXPECT_EQ(state->opened, (std::vector<uint32_t>{700, 800, 700}));
}

TEST_F(SoftwareEngine, MemoryIsReadOnlyWhileAskedFor) {
  Run({{10, "a.exe", 0, 4096}});
  auto engine = Create(false);
  engine->UpdateProcesses();
  EXPECT_EQ(state->privateByteReads, 0);
  EXPECT_EQ(test::FindItem(*engine, 10)->Memoryuse, 0u);
  engine->UpdateMemory = true;
  engine->UpdateProcesses();
  EXPECT_EQ(state->privateByteReads, 1);
  EXPECT_EQ(test::FindItem(*engine, 10)->Memoryuse, 4096u);
}

// The worker's notifications, counted.
TSoftwareNotify Counting(test::CallCounter& counter) {
  return [&counter](TSoftware&) { counter.Hit(); };
}

TEST_F(SoftwareEngine, WorkerSamplesEachPeriodAndNotifies) {
  Run({{10, "a.exe"}});
  auto engine = Create();
  state->cpuLoad = 33;
  state->memoryLoad = 44;
  test::CallCounter notifications;
  engine->StartAsynTimer(60'000, Counting(notifications));
  // Running but not yet sampled.
  EXPECT_EQ(engine->CPUrate(), 255);
  EXPECT_EQ(engine->Memoryrate(), 0);
  engine->EndTimer();

  engine->StartAsynTimer(10, Counting(notifications));
  engine->StartAsynTimer(10, nullptr);  // ignored while a worker runs
  ASSERT_TRUE(notifications.WaitFor(3));
  EXPECT_EQ(engine->CPUrate(), 33);
  EXPECT_EQ(engine->Memoryrate(), 44);
  engine->EndTimer();
  int count = notifications.Count();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_LE(notifications.Count(), count + 1);
}

TEST_F(SoftwareEngine, KillProcessTakesTheItemOutAndRestartsTheWorker) {
  Run({{10, "a.exe"}, {20, "explorer.exe"}});
  auto engine = Create();
  test::CallCounter notifications;
  engine->StartAsynTimer(10, Counting(notifications));
  TProcessItemRef victim = test::FindItem(*engine, 10);
  TProcessItemRef shell = test::FindItem(*engine, 20);

  EXPECT_FALSE(engine->KillProcess(shell.get()));
  EXPECT_FALSE(engine->KillProcess(nullptr));
  int closedBefore = FakeSoftwarePlatform::ClosedHandles();
  EXPECT_TRUE(engine->KillProcess(victim.get()));
  EXPECT_EQ(test::ItemIds(*engine), (std::vector<uint32_t>{20}));
  // The item keeps its handle while someone holds it (the worker may be measuring through it).
  EXPECT_TRUE(victim->hProc);
  victim.reset();
  EXPECT_EQ(FakeSoftwarePlatform::ClosedHandles(), closedBefore + 1);
  // The new worker keeps sampling and notifying.
  int count = notifications.Count();
  ASSERT_TRUE(notifications.WaitFor(count + 2));
  EXPECT_EQ(test::ItemIds(*engine), (std::vector<uint32_t>{20}));
}

TEST_F(SoftwareEngine, TheWorkerRestartedByAKillNeverSamplesAlongsideTheOldOne) {
  Run({{10, "a.exe"}, {20, "b.exe"}});
  auto engine = Create();
  {
    std::lock_guard guard(state->lock);
    state->holdCpuLoad = true;
  }
  engine->StartAsynTimer(5);
  {
    std::unique_lock guard(state->lock);
    ASSERT_TRUE(state->changed.wait_for(guard, std::chrono::seconds(10),
                                        [&] { return state->cpuLoadCallsInside == 1; }));
  }
  // The first worker is inside a sample; the kill restarts it, and the new worker's first sample
  // is due 5 ms later.
  ASSERT_TRUE(engine->KillProcess(test::FindItem(*engine, 10).get()));
  {
    std::unique_lock guard(state->lock);
    EXPECT_FALSE(state->changed.wait_for(guard, std::chrono::milliseconds(500), [&] {
      return state->mostCpuLoadCallsInside > 1;
    })) << "two samples ran at once";
    state->holdCpuLoad = false;
  }
  state->changed.notify_all();
  test::CallCounter notifications;
  engine->EndTimer();
  engine->StartAsynTimer(5, Counting(notifications));
  EXPECT_TRUE(notifications.WaitFor(2));
}

TEST_F(SoftwareEngine, ListLockIsHeldUntilReleased) {
  Run({{10, "a.exe"}});
  auto engine = Create();
  TProcessList& list = engine->ProcessList();
  std::atomic<bool> passed{false};
  std::thread worker([&] {
    engine->UpdateProcesses();
    passed = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(passed);
  EXPECT_EQ(list.Count(), 1);
  engine->ReleaseProcessList();
  worker.join();
  EXPECT_TRUE(passed);
}

TEST_F(SoftwareEngine, TdiEventHandlerRunsOnProcessCreation) {
  Run({});
  auto engine = Create();
  test::CallCounter created;
  engine->OnTdiEvent([&](TDrvEventThread&) { created.Hit(); });
  ASSERT_TRUE(device.ProcessCreated());
  EXPECT_TRUE(created.WaitFor(1));
}

}  // namespace
}  // namespace vsm
