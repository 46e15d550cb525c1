// The engine without the filter driver, with per-process traffic counted from network events and
// blocking through the system's filters.
#include <gtest/gtest.h>

#include "EngineItems.h"
#include "FakeFilterEngine.h"
#include "FakeSoftwarePlatform.h"
#include "sim/SimTrafficFilter.h"
#include "software/Software.h"
#include "software/etw/ProcessTrafficCounters.h"

namespace vsm {
namespace {

using test::FakeFilterEngine;
using test::FakeSoftwarePlatform;
using test::FindItem;

const std::string kAppPath = "C:\\Apps\\app.exe";

class SystemNetworkEngine : public ::testing::Test {
 protected:
  void Run(std::initializer_list<FakeSoftwarePlatform::Process> processes) {
    std::lock_guard guard(state->lock);
    state->running = processes;
  }

  // The engine with counters that count and a block list; `withDriver` adds an open driver.
  std::unique_ptr<TSoftware> Create(bool withDriver = false, bool canBlock = true) {
    auto source = std::make_unique<TProcessTrafficCounters>();
    source->SetCounting(true);
    counters = source.get();
    TSystemNetwork system;
    system.traffic = std::move(source);
    system.blocker = std::make_unique<TExecutableBlockList>(
        canBlock ? std::make_unique<FakeFilterEngine>(filters) : nullptr);
    auto driver =
        withDriver ? std::make_unique<TVeskTdiFwDrv>(device.OpenChannel(), device.EventFactory()) : nullptr;
    return std::make_unique<TSoftware>(std::make_unique<FakeSoftwarePlatform>(state), std::move(driver),
                                       TInterfaceCounterReader{}, nullptr, std::move(system));
  }

  void Move(uint32_t pid, uint32_t received, uint32_t sent) {
    if (received != 0) counters->Add({pid, received, TrafficDirection::Received});
    if (sent != 0) counters->Add({pid, sent, TrafficDirection::Sent});
  }

  std::shared_ptr<FakeSoftwarePlatform::State> state = std::make_shared<FakeSoftwarePlatform::State>();
  TProcessTrafficCounters* counters = nullptr;
  FakeFilterEngine::State filters;
  sim::SimTrafficFilter device;
};

TEST_F(SystemNetworkEngine, CountedTrafficFillsTotalsAndRatesLikeTheDriver) {
  Run({{0, "[System Idle Process]"}, {4, "System"}, {500, "app.exe"}, {600, "quiet.exe"}});
  auto engine = Create();
  EXPECT_FALSE(engine->HasTdiData());
  EXPECT_TRUE(engine->HasProcessTraffic());
  Move(500, 1000, 200);
  Move(4, 99, 99);
  engine->UpdateProcesses();  // first read stores the totals
  TProcessItemRef app = FindItem(*engine, 500);
  EXPECT_EQ(app->byte_in, 1000);
  EXPECT_EQ(app->byte_out, 200);
  EXPECT_EQ(app->RecvDataPerS, -1);
  Move(500, 4096, 10);
  engine->UpdateProcesses();
  EXPECT_EQ(app->RecvDataPerS, 4096);
  EXPECT_EQ(app->SendDataPerS, 10);
  EXPECT_EQ(app->byte_in, 5096);
  engine->UpdateProcesses();  // a quiet period
  EXPECT_EQ(app->RecvDataPerS, 0);
  // A process that has moved no byte stays unknown, so "net processes only" leaves it out; the
  // idle process and System never get figures.
  for (uint32_t id : {0u, 4u, 600u}) {
    TProcessItemRef item = FindItem(*engine, id);
    EXPECT_EQ(item->byte_in, -1) << id;
    EXPECT_EQ(item->byte_out, -1) << id;
  }
}

TEST_F(SystemNetworkEngine, RatesAreRightAcrossThe32BitBoundaryOfTheTotals) {
  Run({{500, "app.exe"}});
  auto engine = Create();
  Move(500, 0xFFFFFF00u, 0);
  engine->UpdateProcesses();
  Move(500, 0x200, 0);
  engine->UpdateProcesses();
  TProcessItemRef app = FindItem(*engine, 500);
  EXPECT_EQ(app->byte_in, 0x100000100ll);
  EXPECT_EQ(app->RecvDataPerS, 0x200);
}

TEST_F(SystemNetworkEngine, AnIdUsedAgainAfterAnExitStartsFromZero) {
  Run({{500, "old.exe"}});
  auto engine = Create();
  Move(500, 70'000, 0);
  engine->UpdateProcesses();
  TProcessItemRef old = FindItem(*engine, 500);
  EXPECT_EQ(old->byte_in, 70'000);
  Run({});
  engine->UpdateProcesses();  // old.exe has ended
  EXPECT_EQ(FindItem(*engine, 500), nullptr);
  Run({{500, "new.exe"}});
  Move(500, 300, 0);
  engine->UpdateProcesses();
  TProcessItemRef reused = FindItem(*engine, 500);
  ASSERT_NE(reused, nullptr);
  EXPECT_EQ(reused->ExeName, "new.exe");
  EXPECT_EQ(reused->byte_in, 300);
  EXPECT_EQ(reused->RecvDataPerS, -1);
}

TEST_F(SystemNetworkEngine, WhenCountingEndsTrafficIsUnknownAgain) {
  Run({{500, "app.exe"}});
  auto engine = Create();
  Move(500, 10, 10);
  engine->UpdateProcesses();
  EXPECT_EQ(FindItem(*engine, 500)->byte_in, 10);
  engine->StopTrafficCounting();
  EXPECT_FALSE(engine->HasProcessTraffic());
  engine->UpdateProcesses();
  EXPECT_EQ(FindItem(*engine, 500)->byte_in, -1);
}

TEST_F(SystemNetworkEngine, BlockingFollowsOurFiltersForTheExecutable) {
  Run({{500, "app.exe", 0, 0, kAppPath},
       {501, "app.exe", 0, 0, kAppPath},
       {600, "other.exe", 0, 0, "C:\\o.exe"}});
  auto engine = Create();
  EXPECT_TRUE(engine->CanBlockNet());
  TProcessItemRef app = FindItem(*engine, 500);
  EXPECT_TRUE(engine->DisableNet(app.get()));
  EXPECT_EQ(filters.live.size(), 4u);
  engine->UpdateProcesses();
  // The block is per executable: every process of it shows the mark.
  EXPECT_TRUE(app->isDisableNet);
  EXPECT_TRUE(FindItem(*engine, 501)->isDisableNet);
  EXPECT_FALSE(FindItem(*engine, 600)->isDisableNet);
  // The process page's call by process id allows it again.
  EXPECT_TRUE(engine->SetFilterRule(501, ALL, ALLOW, 0));
  EXPECT_TRUE(filters.live.empty());
  engine->UpdateProcesses();
  EXPECT_FALSE(app->isDisableNet);
  EXPECT_TRUE(engine->SetFilterRule(600, ALL, DENY, 0));
  // What the filters cannot do, and processes that are not listed, fail.
  EXPECT_FALSE(engine->SetRecvLimit(app.get(), 1024));
  EXPECT_FALSE(engine->SetFilterRule(500, RECV, DENY, 0));
  EXPECT_FALSE(engine->SetFilterRule(777, ALL, DENY, 0));
}

TEST_F(SystemNetworkEngine, WithoutTheFilteringPlatformBlockingIsUnavailable) {
  Run({{500, "app.exe", 0, 0, kAppPath}});
  auto engine = Create(false, false);
  EXPECT_FALSE(engine->CanBlockNet());
  TProcessItemRef app = FindItem(*engine, 500);
  EXPECT_FALSE(engine->DisableNet(app.get()));
  EXPECT_FALSE(engine->SetFilterRule(500, ALL, DENY, 0));
  engine->UpdateProcesses();
  EXPECT_FALSE(app->isDisableNet);
}

TEST_F(SystemNetworkEngine, AnOpenDriverIsPreferredForTrafficAndRules) {
  Run({{500, "app.exe", 0, 0, kAppPath}});
  device.AddTraffic(500, 777, 1);
  auto engine = Create(true);
  Move(500, 5, 5);
  engine->UpdateProcesses();
  TProcessItemRef app = FindItem(*engine, 500);
  EXPECT_EQ(app->byte_in, 777);
  EXPECT_TRUE(engine->DisableNet(app.get()));
  EXPECT_TRUE(device.IsBlocked(500));
  EXPECT_TRUE(filters.live.empty());
  engine->UpdateProcesses();
  EXPECT_TRUE(app->isDisableNet);  // read back from the driver
}

}  // namespace
}  // namespace vsm
