#include <gtest/gtest.h>

#include "SuperIoBench.h"
#include "hardware/superio/MainBord_F718XX.h"
#include "sim/SimFintekMonitor.h"

namespace vsm {
namespace {

class FintekBoard : public ::testing::Test {
 protected:
  void SetUp() override { machine.AddPortDevice(monitor); }
  std::unique_ptr<TMB_F718XX> Make(uint16_t chip) {
    return std::make_unique<TMB_F718XX>(chip, 0x0290, 0, machine.Factory(), TBaseBoardIdentity{});
  }

  sim::SimHardware machine;
  std::shared_ptr<sim::SimFintekMonitor> monitor = std::make_shared<sim::SimFintekMonitor>(0x0290);
};

TEST_F(FintekBoard, ChannelCountsFollowTheChip) {
  struct Row {
    uint16_t chip;
    size_t voltages, temperatures, fans;
  };
  const Row kRows[] = {{0x0507, 3, 3, 4}, {0x0541, 9, 3, 4}, {0x0601, 9, 3, 3},
                       {0x0723, 9, 3, 3}, {0x0814, 9, 3, 3}, {0x0901, 9, 2, 3},
                       {0x0909, 9, 3, 3}, {0x1005, 9, 3, 3}, {0x1007, 9, 3, 3}};
  for (const Row& row : kRows) {
    auto board = Make(row.chip);
    EXPECT_EQ(board->Voltages.size(), row.voltages) << std::hex << row.chip;
    EXPECT_EQ(board->Temperatures.size(), row.temperatures) << std::hex << row.chip;
    EXPECT_EQ(board->Fans.size(), row.fans) << std::hex << row.chip;
    EXPECT_TRUE(board->Controls.empty());
  }
}

TEST_F(FintekBoard, VoltagesAreEightMillivoltSteps) {
  for (int i = 0; i < 9; ++i) monitor->Set(static_cast<uint16_t>(0x20 + i), static_cast<uint8_t>(100 + i));
  auto board = Make(0x0541);
  board->update();
  for (int i = 0; i < 9; ++i) EXPECT_DOUBLE_EQ(board->Voltages[i].value, (100 + i) * 0.008) << i;

  auto f71889ed = Make(0x0901);
  f71889ed->update();
  EXPECT_DOUBLE_EQ(f71889ed->Voltages[5].value, 105 * 0.008);
  EXPECT_EQ(f71889ed->Voltages[6].value, 0);
  EXPECT_DOUBLE_EQ(f71889ed->Voltages[7].value, 107 * 0.008);
}

TEST_F(FintekBoard, TemperaturesInWholeDegreesFromOneToOneHundredTwentySix) {
  auto board = Make(0x0723);
  const std::pair<uint8_t, double> kCases[] = {{45, 45}, {1, 1}, {126, 126}, {127, 0}, {0, 0}, {0xFF, 0}};
  for (auto [raw, expected] : kCases) {
    monitor->Set(0x72, raw);
    monitor->Set(0x76, raw);
    board->update();
    EXPECT_EQ(board->Temperatures[0].value, expected) << int(raw);
    EXPECT_EQ(board->Temperatures[2].value, expected) << int(raw);
  }
}

TEST_F(FintekBoard, F71858TemperaturesDecodeByMode) {
  struct Case {
    uint8_t mode, high, low;
    double expected;
  };
  const Case kCases[] = {
      {0, 0x32, 0xA0, 50.625},   {1, 0x32, 0xE0, 50.875},
      {2, 0x19, 0x20, 25.125},   {2, 0xFF, 0x00, -1.0},  // two's complement below zero
      {2, 0x80, 0x00, -128.0},   {3, 0x19, 0x20, 25.125},
      {3, 0x19, 0x21, -230.875}, {0, 0xBB, 0x00, 0},  // open sensor
      {2, 0xCC, 0xE0, 0},                             // shorted sensor
      {0, 0x00, 0x1F, 0},                             // bits below the reading's resolution are dropped
  };
  auto board = Make(0x0507);
  for (const Case& c : kCases) {
    monitor->Set(0x69, static_cast<uint8_t>(0xF4 | c.mode));  // only the low two bits choose the mode
    monitor->Set(0x74, c.high);
    monitor->Set(0x75, c.low);
    board->update();
    EXPECT_DOUBLE_EQ(board->Temperatures[2].value, c.expected)
        << "mode " << int(c.mode) << std::hex << " high 0x" << int(c.high) << " low 0x" << int(c.low);
  }
}

TEST_F(FintekBoard, FanSpeedsFromTachometerCounts) {
  const std::pair<uint16_t, double> kCases[] = {{1500, 1000}, {1, 1500000}, {0xFFE, 1500000.0 / 0xFFE},
                                                {0, 0},       {0xFFF, 0},   {0xFFFF, 0}};
  auto board = Make(0x0541);
  for (auto [count, rpm] : kCases) {
    for (int fan = 0; fan < 4; ++fan) monitor->SetFanCount(fan, count);
    board->update();
    for (int fan = 0; fan < 4; ++fan)
      EXPECT_DOUBLE_EQ(board->Fans[fan].value, rpm) << count << " fan " << fan;
  }
}

TEST_F(FintekBoard, UpdateSkipsTheCycleWhileTheLockIsBusy) {
  auto board = Make(0x0541);
  monitor->SetFanCount(0, 1500);
  board->update();
  monitor->SetFanCount(0, 3000);
  machine.ClearRequests();
  test::WhileDriverLockIsHeld(*board, [&] { board->update(); });
  EXPECT_TRUE(machine.Requests().empty());
  EXPECT_EQ(board->Fans[0].value, 1000);
}

}  // namespace
}  // namespace vsm
