#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <thread>

#include "hardware/BusLock_win.h"
#include "hardware/superio/BoardDetection.h"
#include "hardware/uHardWare_win.h"
#include "sim/SimNuvotonMonitor.h"
#include "sim/SimSuperIoBoards.h"

namespace vsm {
namespace {

using namespace std::chrono_literals;

// A simulated NCT6791D whose first temperature reads `degrees`.
struct SimulatedBoard {
  SimulatedBoard() {
    sim::AddWinbondFamilyConfig(machine, 0x2E, {0xC8, 0x03, 0x0B, 0x0290, 0});
    monitor->SetGenuine(0x804F, 0x004F);
    Set(42);
    machine.AddPortDevice(monitor);
  }
  void Set(int degrees) { monitor->SetTemperature({0x027, 0, -1, 0x621, 16}, degrees * 2); }
  std::unique_ptr<TMainBord> Detect() {
    TSuperIoEnvironment environment;
    environment.channels = machine.Factory();
    environment.bus = IsaBusLock();
    return DetectMainBord(environment);
  }

  sim::SimHardware machine;
  std::shared_ptr<sim::SimNuvotonMonitor> monitor = std::make_shared<sim::SimNuvotonMonitor>(0x0290);
};

// Takes the bus as another program would. The program has created the mutex already, so asking
// for initial ownership would not be enough.
HANDLE TakeIsaBusMutex() {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Global\\Access_ISABUS.HTP.Method");
  WaitForSingleObject(mutex, 5000);
  return mutex;
}

double FirstBoardTemperature(THardware& hardware) {
  TSenorArray temperatures;
  hardware.GetAsynData(16, 1, temperatures);
  return temperatures.empty() ? -1 : temperatures[0].value;
}

TEST(HardwareWin, SamplesASimulatedChipOnItsUpdateThread) {
  SimulatedBoard bench;
  THardwareFactory factory;
  factory.board = [&] { return bench.Detect(); };
  THardware hardware(factory);
  ASSERT_EQ(hardware.board->Chip, 0xC803);
  TSenorArray temperatures;
  hardware.GetAsynData(16, 1, temperatures);
  ASSERT_FALSE(temperatures.empty());
  EXPECT_FALSE(temperatures[0].name.empty());  // named by detection
  EXPECT_EQ(temperatures[0].value, 0);         // no cycle yet

  hardware.StartAsynTimer(20);
  auto waitFor = [&](double expected) {
    for (int i = 0; i < 250 && FirstBoardTemperature(hardware) != expected; ++i)
      std::this_thread::sleep_for(20ms);
    return FirstBoardTemperature(hardware);
  };
  EXPECT_EQ(waitFor(42), 42);
  bench.Set(55);
  EXPECT_EQ(waitFor(55), 55);
  hardware.EndTimer();
}

// Another monitoring program holds the Super I/O bus: the chip is not touched until it lets go.
TEST(HardwareWin, AnotherHolderOfTheIsaBusMutexMakesTheCycleSkip) {
  SimulatedBoard bench;
  auto board = bench.Detect();
  ASSERT_EQ(board->Chip, 0xC803);
  board->update();
  ASSERT_EQ(board->Temperatures[0].value, 42);
  bench.Set(60);

  HANDLE taken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread other([&] {
    HANDLE mutex = TakeIsaBusMutex();
    SetEvent(taken);
    WaitForSingleObject(release, 10000);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  });
  ASSERT_EQ(WaitForSingleObject(taken, 5000), WAIT_OBJECT_0);
  board->update();
  EXPECT_EQ(board->Temperatures[0].value, 42);  // skipped
  SetEvent(release);
  other.join();
  board->update();
  EXPECT_EQ(board->Temperatures[0].value, 60);
  CloseHandle(taken);
  CloseHandle(release);
}

// A holder that ends without releasing leaves the mutex abandoned; the next waiter owns it.
TEST(HardwareWin, AnAbandonedIsaBusMutexCountsAsTaken) {
  SimulatedBoard bench;
  auto board = bench.Detect();
  std::thread([] { TakeIsaBusMutex(); }).join();
  bench.Set(47);
  board->update();
  EXPECT_EQ(board->Temperatures[0].value, 47);
  board->update();  // and it was released again after the abandoned wait
  EXPECT_EQ(board->Temperatures[0].value, 47);
}

// No DManager.dll beside the test: everything is detected for real and finds no driver.
TEST(HardwareWin, CreateHardwareWithoutDriverGivesGenericComponents) {
  const auto started = std::chrono::steady_clock::now();
  std::unique_ptr<THardware> hardware = CreateHardware();
  const auto took = std::chrono::steady_clock::now() - started;
  std::printf("CreateHardware took %lld ms\n",
              static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
  ASSERT_NE(hardware, nullptr);
  EXPECT_NE(dynamic_cast<TGeneralBoard*>(hardware->board.get()), nullptr);
  ASSERT_NE(hardware->cpu, nullptr);
  EXPECT_NE(hardware->hdds, nullptr);
  EXPECT_NE(hardware->Graphics, nullptr);
  EXPECT_NE(hardware->netAdapters, nullptr);
  EXPECT_NE(hardware->sounds, nullptr);

  hardware->update(0);  // a cycle without a driver reads nothing and breaks nothing
  EXPECT_FALSE(hardware->cpu->HasTempSensor());
  double average = -1;
  hardware->GetAsynData(32, 0, average);
  EXPECT_EQ(average, 0);
  TSenorArray temperatures{{"kept", 1}};
  hardware->GetAsynData(16, 1, temperatures);
  EXPECT_TRUE(temperatures.empty());
  // Wine's root\WMI has no thermal zone class: the query fails quietly and leaves no zone.
  ASSERT_NE(hardware->zones, nullptr);
  TSenorArray zones{{"kept", 1}};
  hardware->GetAsynData(128, 0, zones);
  EXPECT_TRUE(zones.empty());
}

}  // namespace
}  // namespace vsm
