#include <gtest/gtest.h>

#include "SuperIoBench.h"
#include "hardware/superio/MainBord_IT87XX.h"
#include "sim/SimIteMonitor.h"

namespace vsm {
namespace {

class IteBoard : public ::testing::Test {
 protected:
  void SetUp() override {
    monitor->SetGenuine();
    machine.AddPortDevice(monitor);
    machine.AddPortDevice(gpio);
  }
  std::unique_ptr<TMB_IT87XX> Make(uint16_t chip, uint8_t version = 0) {
    return std::make_unique<TMB_IT87XX>(chip, 0x0800, 0x0290, version, machine.Factory(),
                                        TBaseBoardIdentity{});
  }

  sim::SimHardware machine;
  std::shared_ptr<sim::SimIteMonitor> monitor = std::make_shared<sim::SimIteMonitor>(0x0290);
  std::shared_ptr<sim::SimGpioPorts> gpio = std::make_shared<sim::SimGpioPorts>(0x0800, 8);
};

TEST_F(IteBoard, KeepsNoChannelsUnlessTheVendorAndMonitorChecksPass) {
  struct Case {
    const char* what;
    uint8_t vendor, configuration;
    int faultyReadBack;  // register whose index does not read back, or -1
    bool channels;
  };
  const Case kCases[] = {
      {"genuine", 0x90, 0x11, -1, true},
      {"other vendor", 0x91, 0x11, -1, false},
      {"monitor disabled", 0x90, 0xEF, -1, false},
      {"vendor read not confirmed", 0x90, 0x11, 0x58, false},
      {"configuration read not confirmed", 0x90, 0x11, 0x00, false},
  };
  for (const Case& c : kCases) {
    monitor->Set(0x58, c.vendor);
    monitor->Set(0x00, c.configuration);
    monitor->SetReadBackFault(false);
    if (c.faultyReadBack >= 0) monitor->SetReadBackFaultFor(static_cast<uint8_t>(c.faultyReadBack));
    auto board = Make(0x8720);
    EXPECT_EQ(!board->Voltages.empty(), c.channels) << c.what;
    EXPECT_EQ(!board->Fans.empty(), c.channels) << c.what;
    EXPECT_EQ(!board->Controls.empty(), c.channels) << c.what;
  }
}

TEST_F(IteBoard, ChipTablesChooseGainCountersGpioAndFanCount) {
  struct Row {
    uint16_t chip;
    uint8_t version;
    double gain;
    bool counter16;
    int gpioCount;
    size_t fans;
  };
  const Row kRows[] = {
      {0x8620, 0, 0.012, true, 0, 5}, {0x8628, 0, 0.012, true, 0, 5},  {0x8705, 2, 0.016, false, 0, 3},
      {0x8705, 3, 0.016, true, 0, 3}, {0x8712, 7, 0.016, false, 5, 5}, {0x8712, 8, 0.016, true, 5, 5},
      {0x8716, 0, 0.016, true, 5, 5}, {0x8718, 0, 0.016, true, 5, 5},  {0x8720, 0, 0.016, true, 8, 5},
      {0x8721, 0, 0.012, true, 8, 5}, {0x8726, 0, 0.016, true, 5, 5},  {0x8728, 0, 0.012, true, 0, 5},
      {0x8771, 0, 0.012, true, 0, 5}, {0x8772, 0, 0.012, true, 0, 5},
  };
  monitor->Set(0x20, 125);
  for (const Row& row : kRows) {
    SCOPED_TRACE(::testing::Message() << std::hex << row.chip << " version " << int(row.version));
    auto board = Make(row.chip, row.version);
    EXPECT_EQ(board->voltageGain, row.gain);
    EXPECT_EQ(board->has16bitFanCounter, row.counter16);
    EXPECT_EQ(board->gpioCount, row.gpioCount);
    EXPECT_EQ(board->Fans.size(), row.fans);
    EXPECT_EQ(board->Voltages.size(), 9u);
    EXPECT_EQ(board->Temperatures.size(), 3u);
    EXPECT_EQ(board->Controls.size(), 3u);
    EXPECT_EQ(board->addressReg, 0x0295);
    EXPECT_EQ(board->dataReg, 0x0296);
    board->update();
    EXPECT_DOUBLE_EQ(board->Voltages[0].value, 125 * row.gain);
  }
}

TEST_F(IteBoard, VoltagesAndTemperatures) {
  for (int i = 0; i < 9; ++i) monitor->Set(static_cast<uint16_t>(0x20 + i), static_cast<uint8_t>(200 + i));
  monitor->Set(0x28, 0);
  monitor->Set(0x29, 38);
  monitor->Set(0x2A, 127);
  monitor->Set(0x2B, 126);
  auto board = Make(0x8721);
  board->update();
  for (int i = 0; i < 8; ++i) EXPECT_DOUBLE_EQ(board->Voltages[i].value, (200 + i) * 0.012) << i;
  EXPECT_EQ(board->Voltages[8].value, 0);
  EXPECT_EQ(board->Temperatures[0].value, 38);
  EXPECT_EQ(board->Temperatures[1].value, 0);
  EXPECT_EQ(board->Temperatures[2].value, 126);
}

TEST_F(IteBoard, SixteenBitFanCounts) {
  const std::pair<uint16_t, double> kCases[] = {
      {675, 1000}, {64, 1350000.0 / 128}, {63, 0}, {0, 0}, {0xFFFE, 1350000.0 / (2 * 0xFFFE)}, {0xFFFF, 0}};
  auto board = Make(0x8720);
  for (auto [count, rpm] : kCases) {
    for (int fan = 0; fan < 5; ++fan) monitor->SetFanCount16(fan, count);
    board->update();
    for (int fan = 0; fan < 5; ++fan)
      EXPECT_DOUBLE_EQ(board->Fans[fan].value, rpm) << count << " fan " << fan;
  }
}

TEST_F(IteBoard, EightBitFanCountsWithDivisors) {
  monitor->Set(0x0B, 1 | 3 << 3 | 3 << 6);  // fan 0 divides by 2, fan 1 by 8; the top bits are not theirs
  monitor->Set(0x0D, 135);
  monitor->Set(0x0E, 135);
  monitor->Set(0x0F, 135);
  monitor->Set(0x80, 0xFF);
  monitor->Set(0x82, 0);
  auto board = Make(0x8712, 7);
  board->update();
  EXPECT_DOUBLE_EQ(board->Fans[0].value, 5000);
  EXPECT_DOUBLE_EQ(board->Fans[1].value, 1250);
  EXPECT_DOUBLE_EQ(board->Fans[2].value, 5000);
  EXPECT_EQ(board->Fans[3].value, 0);
  EXPECT_EQ(board->Fans[4].value, 0);
}

TEST_F(IteBoard, ControlsAreDutyCyclesUnlessTheChipControlsTheFan) {
  const std::pair<uint8_t, double> kCases[] = {{0x7F, 100}, {0x40, 50}, {0x01, 1},
                                               {0x00, 0},   {0xC0, 0},  {0xFF, 0}};
  auto board = Make(0x8718);
  for (auto [raw, percent] : kCases) {
    for (uint16_t reg : {0x15, 0x16, 0x17}) monitor->Set(reg, raw);
    board->update();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(board->Controls[i].value, percent) << int(raw) << " control " << i;
  }
}

TEST_F(IteBoard, ReadingsWhoseIndexDoesNotReadBackKeepTheirOldValues) {
  auto board = Make(0x8720);
  monitor->Set(0x20, 100);
  monitor->Set(0x29, 40);
  monitor->Set(0x2A, 41);
  monitor->SetFanCount16(0, 675);
  monitor->SetFanCount16(1, 675);
  monitor->Set(0x15, 0x7F);
  board->update();

  monitor->Set(0x20, 50);
  monitor->Set(0x29, 60);
  monitor->Set(0x2A, 61);
  monitor->SetFanCount16(0, 1350);
  monitor->SetFanCount16(1, 1350);
  monitor->Set(0x15, 0);
  monitor->SetReadBackFault(true);
  board->update();
  EXPECT_DOUBLE_EQ(board->Voltages[0].value, 1.6);
  EXPECT_EQ(board->Temperatures[0].value, 40);
  EXPECT_EQ(board->Fans[0].value, 1000);
  EXPECT_EQ(board->Controls[0].value, 100);

  // One bad byte of a fan's count spoils that fan only.
  monitor->SetReadBackFault(false);
  monitor->SetReadBackFaultFor(0x18);
  monitor->SetReadBackFaultFor(0x2A);
  board->update();
  EXPECT_DOUBLE_EQ(board->Voltages[0].value, 0.8);
  EXPECT_EQ(board->Temperatures[0].value, 60);
  EXPECT_EQ(board->Temperatures[1].value, 41);
  EXPECT_EQ(board->Fans[0].value, 1000);
  EXPECT_EQ(board->Fans[1].value, 500);
  EXPECT_EQ(board->Controls[0].value, 0);
}

TEST_F(IteBoard, GpioPortsWithinTheChipsCount) {
  gpio->Set(4, 0xA5);
  gpio->Set(5, 0x5A);
  auto board = Make(0x8712, 8);
  EXPECT_EQ(board->ReadGPIO(4), 0xA5);
  machine.ClearRequests();
  EXPECT_EQ(board->ReadGPIO(5), 0);
  EXPECT_EQ(board->ReadGPIO(-1), 0);
  board->WriteGPID(5, 1);
  board->WriteGPID(-1, 1);
  EXPECT_TRUE(machine.Requests().empty());
  board->WriteGPID(2, 0x3C);
  EXPECT_EQ(gpio->Get(2), 0x3C);
  EXPECT_EQ(gpio->WriteCount(), 1);

  auto withoutGpio = Make(0x8620);
  EXPECT_EQ(withoutGpio->ReadGPIO(0), 0);
  withoutGpio->WriteGPID(0, 1);
  EXPECT_EQ(gpio->WriteCount(), 1);
}

TEST_F(IteBoard, UpdateSkipsTheCycleWhileTheLockIsBusy) {
  auto board = Make(0x8720);
  machine.ClearRequests();
  test::WhileDriverLockIsHeld(*board, [&] { board->update(); });
  EXPECT_TRUE(machine.Requests().empty());
}

}  // namespace
}  // namespace vsm
