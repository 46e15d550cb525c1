#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "SuperIoBench.h"
#include "hardware/superio/MainBord_W836XX.h"
#include "sim/SimWinbondMonitor.h"

namespace vsm {
namespace {

using sim::SimWinbondMonitor;
constexpr auto Reg = SimWinbondMonitor::Reg;

class WinbondBoard : public ::testing::Test {
 protected:
  void SetUp() override {
    monitor->SetGenuine();
    machine.AddPortDevice(monitor);
  }
  std::unique_ptr<TMB_W836XX> Make(uint16_t chip) {
    return std::make_unique<TMB_W836XX>(chip, 0x0290, 0, machine.Factory(), TBaseBoardIdentity{});
  }

  sim::SimHardware machine;
  std::shared_ptr<SimWinbondMonitor> monitor = std::make_shared<SimWinbondMonitor>(0x0290);
};

TEST_F(WinbondBoard, WithoutTheVendorWordKeepsNoChannelsAndWritesNothing) {
  monitor->Set(Reg(0x80, 0x4F), 0x5D);
  monitor->SetFanDivisor(0, 3);
  monitor->Set(0x28, 0x10);  // would lower fan 0's divisor on a genuine chip
  auto board = Make(0xA020);
  EXPECT_TRUE(board->Voltages.empty() && board->Temperatures.empty() && board->Fans.empty());
  machine.ClearRequests();
  board->update();
  EXPECT_FALSE(machine.Requests().empty());  // the divisor registers are still read
  EXPECT_TRUE(monitor->Writes().empty());
}

TEST_F(WinbondBoard, ChipGroupsChooseVoltageInputsGainAndFans) {
  struct Row {
    uint16_t chip;
    size_t voltages, fans;
    double gain;
  };
  const Row kRows[] = {{0x5200, 7, 3, 0.016},  {0x8280, 7, 3, 0.016}, {0x8541, 7, 3, 0.016},
                       {0x8800, 10, 5, 0.008}, {0xA020, 9, 5, 0.008}, {0xA510, 9, 5, 0.008},
                       {0xB070, 9, 5, 0.008},  {0xB350, 9, 5, 0.008}};
  monitor->Set(Reg(0, 0x21), 100);
  for (const Row& row : kRows) {
    auto board = Make(row.chip);
    EXPECT_EQ(board->Voltages.size(), row.voltages) << std::hex << row.chip;
    EXPECT_EQ(board->Temperatures.size(), 3u);
    EXPECT_EQ(board->Fans.size(), row.fans) << std::hex << row.chip;
    EXPECT_TRUE(board->Controls.empty());
    board->update();
    EXPECT_DOUBLE_EQ(board->Voltages[1].value, 100 * row.gain) << std::hex << row.chip;
  }
}

TEST_F(WinbondBoard, FirstGroupCoreVoltageFollowsTheReferenceModeAndBatteryItsMonitorBit) {
  monitor->Set(Reg(0, 0x20), 200);
  monitor->Set(Reg(5, 0x50), 150);
  monitor->Set(Reg(5, 0x51), 190);
  auto board = Make(0x8280);

  board->update();
  EXPECT_DOUBLE_EQ(board->Voltages[0].value, 200 * 0.016);
  EXPECT_DOUBLE_EQ(board->Voltages[5].value, 150 * 0.016);
  EXPECT_EQ(board->Voltages[6].value, 0);

  monitor->Set(Reg(0, 0x18), 0x01);
  monitor->Set(Reg(0, 0x5D), 0x01);
  board->update();
  EXPECT_DOUBLE_EQ(board->Voltages[0].value, 200 * 0.00488 + 0.69);
  EXPECT_DOUBLE_EQ(board->Voltages[6].value, 190 * 0.016);
}

TEST_F(WinbondBoard, OtherGroupsScaleEveryInputByTheGain) {
  for (uint8_t reg = 0x20; reg <= 0x26; ++reg) monitor->Set(Reg(0, reg), static_cast<uint8_t>(reg + 100));
  monitor->Set(Reg(5, 0x50), 50);
  monitor->Set(Reg(5, 0x51), 51);
  monitor->Set(Reg(5, 0x52), 52);
  monitor->Set(Reg(0, 0x18), 0x01);  // no reference mode outside the first group
  monitor->Set(Reg(0, 0x5D), 0x01);
  auto board = Make(0x8800);
  board->update();
  for (int i = 0; i < 7; ++i) EXPECT_DOUBLE_EQ(board->Voltages[i].value, (0x20 + i + 100) * 0.008) << i;
  EXPECT_DOUBLE_EQ(board->Voltages[7].value, 50 * 0.008);
  EXPECT_DOUBLE_EQ(board->Voltages[8].value, 51 * 0.008);
  EXPECT_DOUBLE_EQ(board->Voltages[9].value, 52 * 0.008);

  monitor->Set(Reg(0, 0x5D), 0x00);
  monitor->Set(Reg(0, 0x20), 0);
  board->update();
  EXPECT_EQ(board->Voltages[0].value, 0);
  EXPECT_EQ(board->Voltages[8].value, 0);
}

TEST_F(WinbondBoard, TemperaturesWithHalfDegreesOutsideBankZero) {
  monitor->Set(Reg(1, 0x50), 40);
  monitor->Set(Reg(1, 0x51), 0x80);
  monitor->Set(Reg(2, 0x50), 125);
  monitor->Set(Reg(2, 0x51), 0x80);  // 125.5: out of range
  monitor->Set(Reg(0, 0x27), 30);
  monitor->Set(Reg(0, 0x28), 0x80);  // the next bank-0 register carries no half degree
  auto board = Make(0x8800);
  board->update();
  EXPECT_DOUBLE_EQ(board->Temperatures[0].value, 40.5);
  EXPECT_EQ(board->Temperatures[1].value, 0);
  EXPECT_EQ(board->Temperatures[2].value, 30);
}

TEST_F(WinbondBoard, PeciSlotsReadZero) {
  struct Case {
    uint16_t chip;
    uint8_t select;
    bool peci0, peci1;
  };
  const Case kCases[] = {
      {0xA020, 0x01, true, false},  {0xA020, 0x10, false, true},  {0xB070, 0x77, true, true},
      {0xB070, 0x88, false, false}, {0xA510, 0x04, true, false},  {0xA510, 0x33, false, false},
      {0xB350, 0x40, false, true},  {0x8800, 0xFF, false, false}, {0x5200, 0xFF, false, false}};
  monitor->Set(Reg(1, 0x50), 41);
  monitor->Set(Reg(2, 0x50), 42);
  monitor->Set(Reg(0, 0x27), 43);
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.chip << " select 0x" << int(c.select));
    monitor->Set(Reg(0, 0x49), c.select);
    auto board = Make(c.chip);
    EXPECT_EQ(board->peciTemperature[0], c.peci0);
    EXPECT_EQ(board->peciTemperature[1], c.peci1);
    EXPECT_FALSE(board->peciTemperature[2]);
    board->update();
    EXPECT_EQ(board->Temperatures[0].value, c.peci0 ? 0 : 41);
    EXPECT_EQ(board->Temperatures[1].value, c.peci1 ? 0 : 42);
    EXPECT_EQ(board->Temperatures[2].value, 43);
  }
}

// Bits of the divisor registers that belong to no fan divisor, which adjusting must keep.
const std::map<uint8_t, uint8_t> kOtherBits = {
    {0x47, 0x0A}, {0x4B, 0x25}, {0x4C, 0x55}, {0x59, 0x50}, {0x5D, 0x15}};

TEST_F(WinbondBoard, FanDivisorsFollowTheCountWithOneWritePerChangedRegister) {
  const uint8_t kTachometers[5][2] = {{0, 0x28}, {0, 0x29}, {0, 0x2A}, {0, 0x3F}, {5, 0x53}};
  struct Case {
    int fan, exponent;
    uint8_t count;
    int expectedExponent;
    double rpm;
    std::vector<uint8_t> writtenRegisters;
  };
  const Case kCases[] = {
      {0, 7, 0xC1, 7, 1350000.0 / (0xC1 * 128), {}},
      {0, 6, 0xC1, 7, 1350000.0 / (0xC1 * 64), {0x47}},
      {0, 0, 0x50, 0, 1350000.0 / 0x50, {}},
      {0, 3, 0x50, 2, 1350000.0 / (0x50 * 8), {0x47}},
      {0, 2, 0x80, 2, 1350000.0 / (0x80 * 4), {}},
      {0, 0, 0xFF, 1, 0, {0x47}},
      {1, 3, 0xC8, 4, 1350000.0 / (0xC8 * 8), {0x47, 0x5D}},
      {2, 1, 0xC1, 2, 1350000.0 / (0xC1 * 2), {0x4B}},
      {3, 3, 0xD0, 4, 1350000.0 / (0xD0 * 8), {0x4C, 0x59}},
      {4, 4, 0x10, 3, 1350000.0 / (0x10 * 16), {0x59}},
      {4, 0, 0x00, 0, 0, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << "fan " << c.fan << " divisor bits " << c.exponent << " count 0x"
                                      << std::hex << int(c.count));
    for (auto [reg, bits] : kOtherBits) monitor->Set(reg, bits);
    for (int fan = 0; fan < 5; ++fan) {
      monitor->SetFanDivisor(fan, fan == c.fan ? c.exponent : 5);
      monitor->Set(Reg(kTachometers[fan][0], kTachometers[fan][1]), fan == c.fan ? c.count : 0x80);
    }
    auto board = Make(0xA020);
    monitor->ClearWrites();
    board->update();

    EXPECT_DOUBLE_EQ(board->Fans[c.fan].value, c.rpm);
    EXPECT_EQ(monitor->FanDivisor(c.fan), c.expectedExponent);
    for (int fan = 0; fan < 5; ++fan) {
      if (fan != c.fan) {
        EXPECT_EQ(monitor->FanDivisor(fan), 5) << "fan " << fan;
      }
    }
    std::vector<uint8_t> written;
    for (const auto& write : monitor->DivisorRegisterWrites())
      written.push_back(static_cast<uint8_t>(write.reg));
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, c.writtenRegisters);
    EXPECT_EQ(monitor->Writes().size(), c.writtenRegisters.size());
    // Bits outside the divisors survive.
    EXPECT_EQ(monitor->Get(0x47) & 0x0F, 0x0A);
    EXPECT_EQ(monitor->Get(0x4B) & 0x3F, 0x25);
    EXPECT_EQ(monitor->Get(0x4C) & 0x7F, 0x55);
    EXPECT_EQ(monitor->Get(0x59) & 0x70, 0x50);
    EXPECT_EQ(monitor->Get(0x5D) & 0x1F, 0x15);
  }
}

TEST_F(WinbondBoard, ThreeFanChipsLeaveTheOtherDivisorsAlone) {
  monitor->SetFanDivisor(3, 4);
  monitor->SetFanDivisor(4, 4);
  monitor->Set(Reg(0, 0x3F), 0x10);
  monitor->Set(Reg(5, 0x53), 0x10);
  for (uint8_t reg : {0x28, 0x29, 0x2A}) monitor->Set(Reg(0, reg), 0x80);
  auto board = Make(0x5200);
  board->update();
  EXPECT_EQ(monitor->FanDivisor(3), 4);
  EXPECT_EQ(monitor->FanDivisor(4), 4);
  EXPECT_TRUE(monitor->Writes().empty());
}

TEST_F(WinbondBoard, UpdateSkipsTheCycleWhileTheLockIsBusy) {
  monitor->Set(0x28, 0x10);
  monitor->SetFanDivisor(0, 3);
  auto board = Make(0xA020);
  machine.ClearRequests();
  test::WhileDriverLockIsHeld(*board, [&] { board->update(); });
  EXPECT_TRUE(machine.Requests().empty());
  EXPECT_EQ(monitor->FanDivisor(0), 3);
}

}  // namespace
}  // namespace vsm
