#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "drivers/DriverManager_win.h"
#include "hardware/superio/BoardDetection.h"
#include "sim/SimNuvotonMonitor.h"
#include "sim/SimSuperIoBoards.h"

namespace vsm {
namespace {

TEST(BoardDetectionWin, WithoutTheDriverManagerTheBoardIsAnEmptyGeneralBoard) {
  TSuperIoEnvironment env{[] { return OpenDriverChannel(DriverKind::HardwareAccess); }, nullptr, nullptr,
                          nullptr};
  auto board = DetectMainBord(env);
  EXPECT_NE(dynamic_cast<TGeneralBoard*>(board.get()), nullptr);
  EXPECT_EQ(board->Chip, 0);
  EXPECT_TRUE(board->Voltages.empty() && board->Temperatures.empty() && board->Fans.empty() &&
              board->Controls.empty());
  EXPECT_FALSE(board->HasTempSensor());
}

// The real waits and the driver lock as the Windows threads library implements them.
TEST(BoardDetectionWin, FindsAndSamplesASimulatedChipWithRealWaitsAndLocks) {
  sim::SimHardware machine;
  sim::AddWinbondFamilyConfig(machine, 0x2E, {0xC8, 0x03, 0x0B, 0x0290, 0});
  auto monitor = std::make_shared<sim::SimNuvotonMonitor>(0x0290);
  monitor->SetGenuine(0x804F, 0x004F);
  monitor->SetTemperature({0x027, 0, -1, 0x621, 16}, 84);
  machine.AddPortDevice(monitor);

  auto board = DetectMainBord({machine.Factory(), nullptr, nullptr, nullptr});
  ASSERT_EQ(board->Chip, 0xC803);
  board->update();
  EXPECT_EQ(board->Temperatures[0].value, 42);
  EXPECT_TRUE(board->HasTempSensor());

  monitor->SetTemperature({0x027, 0, -1, 0x621, 16}, 100);
  TBusGuard held = board->bus->Lock(std::chrono::seconds(10));
  std::thread sampler([&] { board->update(); });
  sampler.join();
  held = TBusGuard();
  EXPECT_EQ(board->Temperatures[0].value, 42);
  board->update();
  EXPECT_EQ(board->Temperatures[0].value, 50);
}

}  // namespace
}  // namespace vsm
