#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "AtaFixtures.h"
#include "FakeStorage.h"
#include "hardware/uHardWare.h"

namespace vsm {
namespace {

using namespace std::chrono_literals;

// The order in which components were refreshed, shared by the doubles of one test.
struct UpdateLog {
  std::mutex lock;
  std::vector<std::string> entries;
  void Add(const std::string& entry) {
    std::lock_guard<std::mutex> guard(lock);
    entries.push_back(entry);
  }
  std::vector<std::string> Take() {
    std::lock_guard<std::mutex> guard(lock);
    return std::exchange(entries, {});
  }
};

// A gate the board double's update waits at until the test opens it.
struct Latch {
  std::mutex lock;
  std::condition_variable changed;
  bool open = true;
  bool updating = false;
  bool destroyedWhileUpdating = false;
  bool destroyed = false;

  template <class Predicate>
  bool WaitFor(Predicate predicate, std::chrono::milliseconds timeout = 5s) {
    std::unique_lock<std::mutex> guard(lock);
    return changed.wait_for(guard, timeout, predicate);
  }
  void Set(bool Latch::*field, bool value) {
    {
      std::lock_guard<std::mutex> guard(lock);
      this->*field = value;
    }
    changed.notify_all();
  }
};

class FakeCpu final : public TCpuInfo {
 public:
  FakeCpu(ConstructionKey, TCpuSeams seams) : TCpuInfo(TCpuType::IntelCPU, std::move(seams)) {}
  void Update() override {
    if (log != nullptr) log->Add("cpu");
    CpuTemp = readings;
  }
  UpdateLog* log = nullptr;
  std::vector<double> readings;
};

std::unique_ptr<FakeCpu> Cpu(std::vector<double> readings, UpdateLog* log = nullptr) {
  auto cpu = CreateCpuInfo<FakeCpu>(TCpuSeams{});
  cpu->NumberOfCores = static_cast<uint8_t>(readings.size());
  cpu->CpuTemp.assign(readings.size(), 0);
  cpu->readings = std::move(readings);
  cpu->log = log;
  return cpu;
}

class FakeBoard final : public TMainBord {
 public:
  FakeBoard(UpdateLog* log, Latch* latch) : TMainBord(0x8721, 0x290, 0, {}, {}), log_(log), latch_(latch) {
    Voltages = {{"CPU VCore", 0}, {"+12V", 0}};
    Temperatures = {{"CPU", 0}};
    Fans = {{"CPU Fan", 0}, {"Case Fan", 0}, {"Aux Fan", 0}};
  }
  ~FakeBoard() override {
    if (latch_ == nullptr) return;
    std::lock_guard<std::mutex> guard(latch_->lock);
    latch_->destroyedWhileUpdating = latch_->updating;
    latch_->destroyed = true;
    latch_->changed.notify_all();
  }
  void update() override {
    if (log_ != nullptr) log_->Add("board");
    if (latch_ != nullptr) {
      latch_->Set(&Latch::updating, true);
      latch_->WaitFor([this] { return latch_->open; }, 10s);
    }
    Voltages[0].value = 1.25;
    Voltages[1].value = 12.1;
    Temperatures[0].value = 38;
    Fans[0].value = 1500;
    if (latch_ != nullptr) latch_->Set(&Latch::updating, false);
  }

 private:
  UpdateLog* log_;
  Latch* latch_;
};

class FakeCard final : public TGraphicsCard {
 public:
  FakeCard(UpdateLog* log, int usage, double temperature)
      : TGraphicsCard("Fake card"), log_(log), usage_(usage), temperature_(temperature) {}
  void update() override {
    if (log_ != nullptr) log_->Add("gpu");
  }
  int usePercent() override { return usage_; }
  double Temperature() override { return temperature_; }

 private:
  UpdateLog* log_;
  int usage_;
  double temperature_;
};

// A drive that records its SMART refreshes in the shared log and answers from a real fixture.
class LoggingDrive final : public TStorageDevice {
 public:
  LoggingDrive(std::shared_ptr<test::FakeDriveState> state, UpdateLog* log)
      : drive_(std::move(state)), log_(log) {}
  TStorageReply Control(uint32_t code, const std::vector<uint8_t>& in, std::vector<uint8_t>& out) override {
    if (code == kSmartRcvDriveData && log_ != nullptr && counting) log_->Add("disk");
    return drive_.Control(code, in, out);
  }
  bool counting = false;

 private:
  test::FakeDrive drive_;
  UpdateLog* log_;
};

std::unique_ptr<TDiskList> OneDisk(UpdateLog* log) {
  auto state = std::make_shared<test::FakeDriveState>();
  state->identify = test::ata::Identify("libblockdev__Hitachi_HDS721010CLA632");
  state->smart = test::ata::Smart("libblockdev__Hitachi_HDS721010CLA632");
  auto drive = std::make_unique<LoggingDrive>(state, log);
  LoggingDrive* raw = drive.get();
  auto disks = std::make_unique<TDiskList>();
  disks->Add(std::make_unique<THardDisk>(0, std::move(drive)));
  raw->counting = true;  // the reads of detection are not refreshes
  return disks;
}

// A machine with one disk, a four-core processor, a chip with named channels and two cards.
THardwareFactory FullMachine(UpdateLog* log, Latch* latch = nullptr) {
  THardwareFactory factory;
  factory.graphics = [log] {
    auto cards = std::make_unique<TGraphicsList>();
    cards->Add(std::make_unique<FakeCard>(log, 37, 61));
    cards->Add(std::make_unique<FakeCard>(log, 5, 48));
    return cards;
  };
  factory.cpu = [log] { return Cpu({40, 42, 44, 46}, log); };
  factory.board = [log, latch] { return std::make_unique<FakeBoard>(log, latch); };
  factory.disks = [log] { return OneDisk(log); };
  return factory;
}

double Value(THardware& hardware, int hard, int idx, double before = -1) {
  hardware.GetAsynData(hard, idx, before);
  return before;
}

TEST(Hardware, SnapshotHoldsZerosUntilTheFirstCycleThenEveryClassByFlagAndIndex) {
  THardware hardware(FullMachine(nullptr));
  EXPECT_EQ(Value(hardware, 32, 0), 0);
  EXPECT_EQ(Value(hardware, 8, 0), 0);
  TSenorArray fans;
  hardware.GetAsynData(16, 2, fans);
  ASSERT_EQ(fans.size(), 3u);
  EXPECT_EQ(fans[0].name, "CPU Fan");
  EXPECT_EQ(fans[0].value, 0);

  hardware.update(0);
  EXPECT_EQ(Value(hardware, 32, 0), 43);  // the mean of 40, 42, 44, 46
  EXPECT_EQ(Value(hardware, 32, 1), 40);
  EXPECT_EQ(Value(hardware, 32, 4), 46);
  EXPECT_EQ(Value(hardware, 8, 0), hardware.hdds->GetDisk(0)->GetTemperature());
  EXPECT_GT(Value(hardware, 8, 0), 0);
  EXPECT_EQ(Value(hardware, 4, 0), 37);
  EXPECT_EQ(Value(hardware, 64, 0), 61);
  EXPECT_EQ(Value(hardware, 4, 1), 5);
  EXPECT_EQ(Value(hardware, 64, 1), 48);

  TSenorArray voltages, temps;
  hardware.GetAsynData(16, 0, voltages);
  hardware.GetAsynData(16, 1, temps);
  hardware.GetAsynData(16, 2, fans);
  ASSERT_EQ(voltages.size(), 2u);
  EXPECT_EQ(voltages[1].name, "+12V");
  EXPECT_EQ(voltages[1].value, 12.1);
  ASSERT_EQ(temps.size(), 1u);
  EXPECT_EQ(temps[0].value, 38);
  EXPECT_EQ(fans[0].value, 1500);
}

// A core that reads 0 has no reading: the processor's mean is of the cores that read something.
TEST(Hardware, ProcessorMeanLeavesOutCoresWithoutAReading) {
  const struct {
    std::vector<double> cores;
    double mean;
  } cases[] = {{{50, 0, 54, 0}, 52}, {{0, 0, 0, 61}, 61}, {{0, 0}, 0}};
  for (const auto& c : cases) {
    THardwareFactory factory;
    factory.cpu = [&c] { return Cpu(c.cores); };
    THardware hardware(factory);
    hardware.update(hcCpuTemp);
    EXPECT_EQ(Value(hardware, hcCpuTemp, 0), c.mean) << c.cores.size();
    EXPECT_EQ(Value(hardware, hcCpuTemp, 2), c.cores[1]);
  }
}

TEST(Hardware, IndexesOutsideTheSnapshotAndUnknownFlagsLeaveDataAlone) {
  THardware hardware(FullMachine(nullptr));
  hardware.update(0);
  const struct {
    int hard, idx;
  } untouched[] = {{32, 5},  {32, -1}, {8, 1}, {8, -1},  {4, 2}, {64, 2},
                   {64, -1}, {16, 0},  {2, 0}, {128, 0}, {0, 0}, {12, 0}};
  for (const auto& c : untouched) EXPECT_EQ(Value(hardware, c.hard, c.idx, -7), -7) << c.hard << "," << c.idx;

  const struct { int hard, idx; } arraysUntouched[] = {{16, 3}, {16, -1}, {32, 0}, {8, 0}};
  for (const auto& c : arraysUntouched) {
    TSenorArray data{{"kept", 1}};
    hardware.GetAsynData(c.hard, c.idx, data);
    ASSERT_EQ(data.size(), 1u) << c.hard << "," << c.idx;
    EXPECT_EQ(data[0].name, "kept");
  }
}

TEST(Hardware, ComponentsThatFindNothingGiveGenericFormsAndEmptyBoardArrays) {
  THardwareFactory nothing;
  nothing.smbios = []() -> std::unique_ptr<TSMBios> { throw std::runtime_error("no table"); };
  nothing.cpu = []() -> std::unique_ptr<TCpuInfo> { throw std::runtime_error("broken"); };
  nothing.disks = [] { return std::unique_ptr<TDiskList>(); };
  THardware hardware(nothing);
  EXPECT_EQ(hardware.smbios, nullptr);
  ASSERT_NE(hardware.netAdapters, nullptr);
  ASSERT_NE(hardware.sounds, nullptr);
  ASSERT_NE(hardware.Graphics, nullptr);
  ASSERT_NE(hardware.cpu, nullptr);
  ASSERT_NE(hardware.board, nullptr);
  ASSERT_NE(hardware.hdds, nullptr);
  EXPECT_EQ(hardware.cpu->CPUType, TCpuType::UnknowCPU);
  EXPECT_NE(dynamic_cast<TGeneralBoard*>(hardware.board.get()), nullptr);
  EXPECT_EQ(hardware.hdds->Count(), 0u);
  EXPECT_EQ(hardware.Graphics->Count(), 0);

  hardware.update(0);
  for (int hard : {4, 8, 64}) EXPECT_EQ(Value(hardware, hard, 0, -7), -7) << hard;
  EXPECT_EQ(Value(hardware, 32, 1, -7), -7);
  EXPECT_EQ(Value(hardware, 32, 0, -7), 0);  // the average of no cores
  for (int idx : {0, 1, 2}) {
    TSenorArray data{{"kept", 1}};
    hardware.GetAsynData(16, idx, data);
    EXPECT_TRUE(data.empty()) << idx;
  }
}

TEST(Hardware, UpdateRefreshesTheSelectedClassesInTheirOrder) {
  UpdateLog log;
  THardware hardware(FullMachine(&log));
  log.Take();
  using Log = std::vector<std::string>;
  const struct {
    unsigned temps;
    Log expected;
  } cases[] = {
      {0, {"disk", "cpu", "board", "gpu", "gpu"}},
      {8, {"disk"}},
      {32, {"cpu"}},
      {16, {"board"}},
      {4, {"gpu", "gpu"}},
      {64, {"gpu", "gpu"}},
      {64 | 16 | 8, {"disk", "board", "gpu", "gpu"}},
      {2 | 128, {}},
  };
  for (const auto& c : cases) {
    hardware.update(c.temps);
    EXPECT_EQ(log.Take(), c.expected) << c.temps;
  }
}

TEST(Hardware, SnapshotTakesOnlyWhatTheSelectedClassesRefreshed) {
  THardware hardware(FullMachine(nullptr));
  hardware.update(16);
  EXPECT_EQ(Value(hardware, 32, 4), 0);  // the processor was not asked yet
  TSenorArray temps;
  hardware.GetAsynData(16, 1, temps);
  EXPECT_EQ(temps.at(0).value, 38);
}

TEST(Hardware, ThreadWithPeriodZeroRunsOneCycle) {
  UpdateLog log;
  THardware hardware(FullMachine(&log));
  log.Take();
  std::atomic<int> notified{0};
  hardware.StartAsynTimer(0, [&](THardware& h) {
    EXPECT_EQ(&h, &hardware);
    ++notified;
  });
  ASSERT_TRUE([&] {
    for (int i = 0; i < 500 && notified == 0; ++i) std::this_thread::sleep_for(10ms);
    return notified == 1;
  }());
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(log.Take(), (std::vector<std::string>{"disk", "cpu", "board", "gpu", "gpu"}));
  EXPECT_EQ(Value(hardware, 32, 0), 43);
}

TEST(Hardware, ThreadRepeatsUntilEndTimerAndStopsAfterItsCycle) {
  UpdateLog log;
  THardware hardware(FullMachine(&log));
  std::mutex m;
  std::condition_variable cv;
  int cycles = 0;
  hardware.StartAsynTimer(5, [&](THardware&) {
    std::lock_guard<std::mutex> guard(m);
    ++cycles;
    cv.notify_all();
  });
  {
    std::unique_lock<std::mutex> guard(m);
    ASSERT_TRUE(cv.wait_for(guard, 5s, [&] { return cycles >= 3; }));
  }
  hardware.EndTimer();
  std::this_thread::sleep_for(50ms);  // a cycle under way when EndTimer came may still finish
  const size_t boardReads = [&] {
    auto entries = log.Take();
    return size_t(std::count(entries.begin(), entries.end(), "board"));
  }();
  EXPECT_GE(boardReads, 3u);
  std::this_thread::sleep_for(100ms);
  EXPECT_TRUE(log.Take().empty());
}

TEST(Hardware, DestroyedDuringACycleWaitsForItBeforeFreeingTheComponents) {
  Latch latch;
  latch.open = false;
  auto hardware = std::make_unique<THardware>(FullMachine(nullptr, &latch));
  hardware->StartAsynTimer(200);
  ASSERT_TRUE(latch.WaitFor([&] { return latch.updating; }));
  std::thread opener([&] {
    std::this_thread::sleep_for(100ms);
    latch.Set(&Latch::open, true);
  });
  hardware.reset();
  {
    std::lock_guard<std::mutex> guard(latch.lock);
    EXPECT_TRUE(latch.destroyed);
    EXPECT_FALSE(latch.destroyedWhileUpdating);
  }
  opener.join();
}

TEST(Hardware, ACycleLongerThanTheWaitKeepsTheComponentsUntilItEnds) {
  Latch latch;
  latch.open = false;
  auto hardware = std::make_unique<THardware>(FullMachine(nullptr, &latch));
  hardware->StartAsynTimer(10);
  ASSERT_TRUE(latch.WaitFor([&] { return latch.updating; }));
  hardware.reset();  // gives up after 110 ms
  {
    std::lock_guard<std::mutex> guard(latch.lock);
    EXPECT_FALSE(latch.destroyed);
  }
  latch.Set(&Latch::open, true);
  ASSERT_TRUE(latch.WaitFor([&] { return latch.destroyed; }));
  std::lock_guard<std::mutex> guard(latch.lock);
  EXPECT_FALSE(latch.destroyedWhileUpdating);
}

}  // namespace
}  // namespace vsm

namespace vsm {
namespace {

TEST(Hardware, EndTimerAndWaitReturnsOnlyOnceTheCycleUnderWayHasEnded) {
  Latch latch;
  latch.open = false;
  THardware hardware(FullMachine(nullptr, &latch));
  hardware.StartAsynTimer(200);
  ASSERT_TRUE(latch.WaitFor([&] { return latch.updating; }));
  std::thread opener([&] {
    std::this_thread::sleep_for(100ms);
    latch.Set(&Latch::open, true);
  });
  EXPECT_TRUE(hardware.EndTimerAndWait());
  {
    std::lock_guard<std::mutex> guard(latch.lock);
    EXPECT_FALSE(latch.updating);
  }
  opener.join();
  EXPECT_TRUE(hardware.EndTimerAndWait());  // nothing left to stop
}

TEST(Hardware, EndTimerAndWaitGivesUpOnACycleLongerThanTheWait) {
  Latch latch;
  latch.open = false;
  auto hardware = std::make_unique<THardware>(FullMachine(nullptr, &latch));
  hardware->StartAsynTimer(10);
  ASSERT_TRUE(latch.WaitFor([&] { return latch.updating; }));
  EXPECT_FALSE(hardware->EndTimerAndWait());  // after 110 ms
  hardware.reset();
  latch.Set(&Latch::open, true);
  ASSERT_TRUE(latch.WaitFor([&] { return latch.destroyed; }));
  std::lock_guard<std::mutex> guard(latch.lock);
  EXPECT_FALSE(latch.destroyedWhileUpdating);
}

}  // namespace
}  // namespace vsm
