#include <gtest/gtest.h>

#include "SuperIoBench.h"
#include "hardware/superio/MainBord_NCT677X.h"
#include "sim/SimNuvotonMonitor.h"

namespace vsm {
namespace {

using Temperature = sim::SimNuvotonMonitor::Temperature;

class NuvotonBoard : public ::testing::Test {
 protected:
  void SetUp() override { machine.AddPortDevice(monitor); }
  std::unique_ptr<TMB_NCT677X> Make(uint16_t chip) {
    if (chip == 0xC452) {
      monitor->SetGenuine(0x80FE, 0x00FE);
    } else {
      monitor->SetGenuine(0x804F, 0x004F);
    }
    return std::make_unique<TMB_NCT677X>(chip, 0x0A00, 0, machine.Factory(), TBaseBoardIdentity{});
  }

  sim::SimHardware machine;
  std::shared_ptr<sim::SimNuvotonMonitor> monitor = std::make_shared<sim::SimNuvotonMonitor>(0x0A00);
};

TEST_F(NuvotonBoard, VendorCheckUsesTheChipsVendorRegisters) {
  struct Case {
    uint16_t chip, high, low;
    bool genuine;
  };
  const Case kCases[] = {{0xC560, 0x804F, 0x004F, true},  {0xB470, 0x804F, 0x004F, true},
                         {0xC452, 0x80FE, 0x00FE, true},  {0xC452, 0x804F, 0x004F, false},
                         {0xC803, 0x80FE, 0x00FE, false}, {0xC330, 0x004F, 0x804F, false}};
  for (const Case& c : kCases) {
    sim::SimHardware fresh;
    auto block = std::make_shared<sim::SimNuvotonMonitor>(0x0A00);
    block->SetGenuine(c.high, c.low);
    fresh.AddPortDevice(block);
    TMB_NCT677X board(c.chip, 0x0A00, 0, fresh.Factory(), TBaseBoardIdentity{});
    EXPECT_EQ(board.isNuvotonVendor, c.genuine) << std::hex << c.chip;
    EXPECT_EQ(board.Voltages.empty(), !c.genuine);
    EXPECT_EQ(board.Temperatures.empty(), !c.genuine);
    EXPECT_EQ(board.Fans.empty(), !c.genuine);
    EXPECT_EQ(board.Controls.empty(), !c.genuine);
    fresh.ClearRequests();
    board.update();
    EXPECT_EQ(fresh.Requests().empty(), !c.genuine);
  }
}

TEST_F(NuvotonBoard, ChannelCountsFollowTheChip) {
  struct Row {
    uint16_t chip;
    size_t voltages, temperatures, fans, controls;
  };
  const Row kRows[] = {{0xB470, 9, 4, 4, 3},
                       {0xC330, 9, 4, 5, 3},
                       {0xC452, 9, 4, 3, 3},
                       {0xC560, 15, 7, 5, 5},
                       {0xC803, 15, 7, 6, 6}};
  for (const Row& row : kRows) {
    auto board = Make(row.chip);
    EXPECT_EQ(board->Voltages.size(), row.voltages) << std::hex << row.chip;
    EXPECT_EQ(board->Temperatures.size(), row.temperatures) << std::hex << row.chip;
    EXPECT_EQ(board->Fans.size(), row.fans) << std::hex << row.chip;
    EXPECT_EQ(board->Controls.size(), row.controls) << std::hex << row.chip;
  }
}

TEST_F(NuvotonBoard, VoltagesWithTheBatteryGatedByItsMonitorBit) {
  struct Row {
    uint16_t chip;
    std::vector<uint16_t> registers;
    size_t battery;
    uint16_t batteryControl;
  };
  const Row kRows[] = {
      {0xB470, {0x020, 0x021, 0x022, 0x023, 0x024, 0x025, 0x026, 0x550, 0x551}, 8, 0x005D},
      {0xC452, {0x300, 0x301, 0x302, 0x303, 0x304, 0x305, 0x307, 0x308, 0x309}, 7, 0x0318},
      {0xC803,
       {0x480, 0x481, 0x482, 0x483, 0x484, 0x485, 0x486, 0x487, 0x488, 0x489, 0x48A, 0x48B, 0x48C, 0x48D,
        0x48E},
       8,
       0x005D},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(::testing::Message() << std::hex << row.chip);
    for (size_t i = 0; i < row.registers.size(); ++i)
      monitor->Set(row.registers[i], static_cast<uint8_t>(150 + i));
    auto board = Make(row.chip);
    for (bool monitoring : {false, true}) {
      monitor->SetVBatMonitoring(row.batteryControl, monitoring);
      board->update();
      for (size_t i = 0; i < row.registers.size(); ++i) {
        double expected = i == row.battery && !monitoring ? 0 : (150 + i) * 0.008;
        EXPECT_DOUBLE_EQ(board->Voltages[i].value, expected) << i << " monitoring " << monitoring;
      }
    }
    for (uint16_t reg : row.registers) monitor->Set(reg, 0);
    monitor->SetVBatMonitoring(row.batteryControl, false);
  }
}

TEST_F(NuvotonBoard, TemperaturesFollowTheirSourcesWithHalfDegrees) {
  auto board = Make(0xB470);                                  // slots want sources 5, 2, 3, 1
  monitor->SetTemperature({0x073, 0x074, 7, 0x100, 5}, 101);  // 50.5 from source 5
  monitor->SetTemperature({0x027, 0, -1, 0x621, 1}, 60);      // no half bit on this register
  monitor->SetTemperature({0x075, 0x076, 7, 0x200, 2}, 80);
  monitor->SetTemperature({0x150, 0x151, 7, 0x622, 2}, 90);  // the earlier register wins
  monitor->SetTemperature({0x62B, 0x62E, 0, 0x624, 3}, 61);  // bit 0 halves are not taken
  board->update();
  EXPECT_DOUBLE_EQ(board->Temperatures[0].value, 50.5);
  EXPECT_DOUBLE_EQ(board->Temperatures[1].value, 40);
  EXPECT_DOUBLE_EQ(board->Temperatures[2].value, 30);
  EXPECT_DOUBLE_EQ(board->Temperatures[3].value, 30);

  monitor->SetTemperature({0x073, 0x074, 7, 0x100, 5}, 0x1FF);  // 0xFF with the half bit: 255.5
  monitor->Set(0x624, 0);                                       // 0x62B reports no slot's source now
  monitor->SetTemperature({0x62C, 0x62E, 1, 0x625, 3}, 45);     // bit 1 halves are taken
  board->update();
  EXPECT_EQ(board->Temperatures[0].value, 0);
  EXPECT_DOUBLE_EQ(board->Temperatures[2].value, 22.5);

  monitor->SetTemperature({0x073, 0x074, 7, 0x100, 5}, 251);  // 125.5 is above the range
  board->update();
  EXPECT_EQ(board->Temperatures[0].value, 0);
  monitor->SetTemperature({0x073, 0x074, 7, 0x100, 5}, 250);
  board->update();
  EXPECT_EQ(board->Temperatures[0].value, 125);
}

TEST_F(NuvotonBoard, SlotsWithoutTheirSourceReadTheAlternateRegister) {
  auto board = Make(0xC560);  // slots want sources 16, 2, 1, 3, 4, 5, 6
  monitor->SetTemperature({0x027, 0, -1, 0x621, 16}, 70);
  monitor->SetTemperature({0x073, 0x074, 7, 0x100, 1}, 66);
  monitor->Set(0x491, 55);   // alternate of slot 1 (source 2)
  monitor->Set(0x490, 99);   // alternate of slot 2 (source 1), which its source already fills
  monitor->Set(0x492, 126);  // alternate of slot 3: out of range
  monitor->Set(0x493, 125);
  board->update();
  EXPECT_EQ(board->Temperatures[0].value, 35);
  EXPECT_EQ(board->Temperatures[1].value, 55);
  EXPECT_EQ(board->Temperatures[2].value, 33);
  EXPECT_EQ(board->Temperatures[3].value, 0);
  EXPECT_EQ(board->Temperatures[4].value, 125);

  // Once a register reports source 2, its alternate is no longer read.
  monitor->SetTemperature({0x079, 0x07A, 7, 0x800, 2}, 85);
  board->update();
  EXPECT_DOUBLE_EQ(board->Temperatures[1].value, 42.5);

  // Slot 0 has no alternate: when no register reports its source it is left as it was.
  monitor->Set(0x621, 0);
  monitor->Set(0x000, 48);
  board->update();
  EXPECT_EQ(board->Temperatures[0].value, 35);
}

TEST_F(NuvotonBoard, FansReportRpmAboveTheChipsMinimum) {
  struct Row {
    uint16_t chip;
    uint16_t base;
    int minimum;
  };
  const Row kRows[] = {{0xB470, 0x656, 20}, {0xC330, 0x656, 164}, {0xC452, 0x030, 164}, {0xC803, 0x4C0, 164}};
  for (const Row& row : kRows) {
    SCOPED_TRACE(::testing::Message() << std::hex << row.chip);
    auto board = Make(row.chip);
    for (int rpm : {1200, row.minimum + 1, row.minimum, 0}) {
      for (size_t fan = 0; fan < board->Fans.size(); ++fan) {
        monitor->SetWord(static_cast<uint16_t>(row.base + 2 * fan), static_cast<uint16_t>(rpm + fan));
      }
      board->update();
      for (size_t fan = 0; fan < board->Fans.size(); ++fan) {
        double expected = static_cast<int>(rpm + fan) > row.minimum ? rpm + fan : 0;
        EXPECT_EQ(board->Fans[fan].value, expected) << rpm << " fan " << fan;
      }
    }
  }
}

TEST_F(NuvotonBoard, ControlsArePercentOfFullScale) {
  const uint8_t kRaw[] = {255, 51, 0, 128, 1, 102};
  struct Row {
    uint16_t chip;
    std::vector<uint16_t> registers;
  };
  const Row kRows[] = {{0xC803, {0x001, 0x003, 0x011, 0x013, 0x015, 0x017}}, {0xC452, {0x04A, 0x04B, 0x04C}}};
  for (const Row& row : kRows) {
    auto board = Make(row.chip);
    for (size_t i = 0; i < row.registers.size(); ++i) monitor->Set(row.registers[i], kRaw[i]);
    board->update();
    ASSERT_EQ(board->Controls.size(), row.registers.size());
    for (size_t i = 0; i < row.registers.size(); ++i) {
      EXPECT_DOUBLE_EQ(board->Controls[i].value, kRaw[i] / 2.55) << std::hex << row.chip << " control " << i;
    }
  }
}

TEST_F(NuvotonBoard, UpdateSkipsTheCycleWhileTheLockIsBusy) {
  auto board = Make(0xC560);
  machine.ClearRequests();
  test::WhileDriverLockIsHeld(*board, [&] { board->update(); });
  EXPECT_TRUE(machine.Requests().empty());
}

}  // namespace
}  // namespace vsm
