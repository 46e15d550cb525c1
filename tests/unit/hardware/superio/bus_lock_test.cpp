#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "SuperIoBench.h"
#include "hardware/superio/BoardDetection.h"
#include "sim/SimNuvotonMonitor.h"
#include "sim/SimSuperIoBoards.h"

namespace vsm {
namespace {

// One Nuvoton chip whose first temperature reads 42 degrees.
struct NuvotonMachine {
  NuvotonMachine() {
    sim::AddWinbondFamilyConfig(machine, 0x2E, {0xC8, 0x03, 0x0B, 0x0290, 0});
    monitor->SetGenuine(0x804F, 0x004F);
    monitor->SetTemperature({0x027, 0, -1, 0x621, 16}, 84);
    machine.AddPortDevice(monitor);
  }
  std::unique_ptr<TMainBord> Detect() {
    return DetectMainBord({machine.Factory(), test::NoWmi, [](auto) {}, nullptr});
  }

  sim::SimHardware machine;
  std::shared_ptr<sim::SimNuvotonMonitor> monitor = std::make_shared<sim::SimNuvotonMonitor>(0x0290);
};

// The machine-wide mutex as a flag: held by another program or free.
class FakeMachineMutex final : public TMachineMutex {
 public:
  FakeMachineMutex(const bool& heldElsewhere, int& ours) : heldElsewhere_(heldElsewhere), ours_(ours) {}
  bool Acquire(std::chrono::milliseconds) override {
    if (heldElsewhere_) return false;
    ++ours_;
    return true;
  }
  void Release() override { --ours_; }

 private:
  const bool& heldElsewhere_;
  int& ours_;
};

TEST(BusLock, TakesTheMachineWideMutexAndLetsGoOfItsOwnWhenThatIsRefused) {
  bool heldElsewhere = true;
  int ours = 0;
  TBusLock bus(std::make_unique<FakeMachineMutex>(heldElsewhere, ours));
  EXPECT_FALSE(bus.Lock(std::chrono::milliseconds(10)).owns_lock());
  heldElsewhere = false;
  std::thread([&] {  // another thread: the refused attempt left the in-process lock free
    TBusGuard guard = bus.Lock(std::chrono::milliseconds(10));
    EXPECT_TRUE(guard.owns_lock());
    EXPECT_EQ(ours, 1);
  })
      .join();
  EXPECT_EQ(ours, 0);
}

TEST(BoardBus, ChipObjectsOfTheSameBoardWaitForEachOther) {
  NuvotonMachine bench;
  auto first = bench.Detect();
  auto second = bench.Detect();
  ASSERT_EQ(second->Chip, 0xC803);
  test::WhileDriverLockIsHeld(*first, [&] { second->update(); });
  EXPECT_EQ(second->Temperatures.at(0).value, 0);  // skipped: the bus was busy
  second->update();
  EXPECT_EQ(second->Temperatures.at(0).value, 42);
}

TEST(BoardBus, DetectionWaitsForASamplingChipObjectAndGivesUp) {
  NuvotonMachine bench;
  auto sampling = bench.Detect();
  std::unique_ptr<TMainBord> detected;
  test::WhileDriverLockIsHeld(*sampling, [&] { detected = bench.Detect(); });
  EXPECT_NE(dynamic_cast<TGeneralBoard*>(detected.get()), nullptr);
}

TEST(BoardBus, TheBoardIsIdentifiedBeforeTheBusIsTaken) {
  NuvotonMachine bench;
  bool heldElsewhere = false;
  int ours = 0;
  auto bus = std::make_shared<TBusLock>(std::make_unique<FakeMachineMutex>(heldElsewhere, ours));
  std::vector<int> heldDuringQuery;
  WmiQueryFunction wmi = [&](std::string_view, std::string_view) -> std::optional<WmiObjects> {
    heldDuringQuery.push_back(ours);
    return WmiObjects{
        {{"Manufacturer", WmiValue::Text("ASUSTeK Computer INC.")}, {"Product", WmiValue::Text("P8Z77-V")}}};
  };
  auto board = DetectMainBord({bench.machine.Factory(), wmi, [](auto) {}, bus});
  ASSERT_EQ(board->Chip, 0xC803);
  EXPECT_EQ(heldDuringQuery, std::vector<int>{0});  // asked once, with the bus free
  EXPECT_EQ(board->Product, "P8Z77-V");
  EXPECT_EQ(board->mf, TBoardManufacturer::MB_ASUS);
  EXPECT_EQ(ours, 0);
}

}  // namespace
}  // namespace vsm
