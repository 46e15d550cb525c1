#include <gtest/gtest.h>

#include "BusHolder.h"
#include "ScriptedCpu.h"
#include "hardware/cpu/AmdCpu.h"

namespace vsm {
namespace {

constexpr uint32_t kMiscControl = 0xC3;  // bus 0, device 0x18, function 3

struct AmdMachine {
  AmdMachine(uint32_t family, uint32_t model, int cores = 4) : cores(cores) {
    cpu.SetIdentity("AuthenticAMD", family, model, 0, 0xD);
  }
  template <class T>
  std::unique_ptr<T> Create() {
    return CreateCpuInfo<T>(
        cpu.Seams(&machine, test::ProcessorWmi({{"NumberOfCores", WmiValue::Int(cores)}})));
  }
  void SetMiscControlId(uint16_t device) { machine.SetPci(kMiscControl, 0, uint32_t{device} << 16 | 0x1022); }

  int cores;
  test::ScriptedCpu cpu;
  sim::SimHardware machine;
};

TEST(AmdMiscControl, DeviceIdsByFamilyAndModel) {
  struct Case {
    uint32_t family, model;
    uint16_t device;
  };
  const Case cases[] = {
      {0x10, 0x02, 0x1203}, {0x11, 0x03, 0x1303}, {0x12, 0x01, 0x1703}, {0x14, 0x02, 0x1703},
      {0x15, 0x02, 0x1603}, {0x15, 0x13, 0x1403}, {0x15, 0x30, 0x141D}, {0x15, 0x65, 0x1573},
      {0x15, 0x70, 0},      {0x16, 0x00, 0x1533}, {0x16, 0x30, 0x1583}, {0x16, 0x10, 0},
      {0x17, 0x01, 0x1577}, {0x13, 0x00, 0},      {0x0F, 0x6B, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Amd10MiscControlDeviceId(c.family, c.model), c.device)
        << std::hex << c.family << " " << c.model;
}

TEST(AmdMiscControl, FoundOnlyWhenVendorAndDeviceMatch) {
  AmdMachine right(0x15, 0x02);
  right.SetMiscControlId(0x1603);
  EXPECT_EQ(right.Create<TAmd10CpuInfo>()->MCRegisters, kMiscControl);

  AmdMachine otherDevice(0x15, 0x02);
  otherDevice.SetMiscControlId(0x1403);
  EXPECT_EQ(otherDevice.Create<TAmd10CpuInfo>()->MCRegisters, TAmdCPUInfo::kNoMiscControl);

  AmdMachine otherVendor(0x15, 0x02);
  otherVendor.machine.SetPci(kMiscControl, 0, 0x16038086);
  EXPECT_EQ(otherVendor.Create<TAmd10CpuInfo>()->MCRegisters, TAmdCPUInfo::kNoMiscControl);

  AmdMachine family0F(0x0F, 0x6B);
  family0F.SetMiscControlId(0x1103);
  EXPECT_EQ(family0F.Create<TAmd0FCpuInfo>()->MCRegisters, kMiscControl);

  AmdMachine generic(0x19, 0x21);
  generic.SetMiscControlId(0x1650);
  EXPECT_EQ(generic.Create<TAmdCPUInfo>()->MCRegisters, TAmdCPUInfo::kNoMiscControl);

  AmdMachine family17(0x17, 0x71);
  EXPECT_EQ(family17.Create<TAmd17CpuInfo>()->MCRegisters, 0x60u);
}

TEST(AmdFamily10, ReportedTemperatureArithmetic) {
  struct Case {
    uint32_t value, family, model;
    double celsius;
  };
  const Case cases[] = {
      {0x3E830000, 0x15, 0x02, 13.5},  // range select bits 17..16 set, low model: ((0x1F4 & 0x7FC) / 8) - 49
      {0x3E830000, 0x15, 0x30, 62.5 - 49},         // higher model: no mask
      {0x3EE30000, 0x15, 0x02, 13.5},              // low models drop the two lowest readout bits (21, 22)
      {0x3EE30000, 0x15, 0x30, 0x1F7 / 8.0 - 49},  // higher models keep them
      {0x3E800000, 0x15, 0x02, 62.5},              // range select clear
      {0x3E830000, 0x16, 0x00, 13.5},              // family 16h, range select
      {0x3E880000, 0x16, 0x00, 13.5},              // family 16h, bit 19
      {0x3E800000, 0x16, 0x00, 62.5},
      {0x3E830000, 0x10, 0x02, 62.5},  // other families never subtract
      {0x3E830000, 0x14, 0x02, 62.5},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(Amd10Temperature(c.value, c.family, c.model), c.celsius) << std::hex << c.value;
}

TEST(AmdFamily10, EveryCoreReadsRegisterA4AndTheAffinityIsRestored) {
  AmdMachine m(0x15, 0x02);
  m.SetMiscControlId(0x1603);
  m.machine.SetPci(kMiscControl, 0xA4, 0x3E830000);
  auto cpu = m.Create<TAmd10CpuInfo>();
  cpu->Update();
  EXPECT_EQ(cpu->CpuTemp, std::vector<double>(4, 13.5));
  EXPECT_TRUE(cpu->HasTempSensor());
  EXPECT_EQ(m.cpu.Mask(), m.cpu.InitialMask());
  EXPECT_EQ(m.cpu.MasksSet(), (std::vector<uint32_t>{1, 2, 4, 8, 0xF}));
}

TEST(AmdFamily10, AFailedReadStopsTheLoopAndLeavesValues) {
  AmdMachine m(0x10, 0x02);
  m.SetMiscControlId(0x1203);
  m.machine.SetPci(kMiscControl, 0xA4, 0x3E800000);
  auto cpu = m.Create<TAmd10CpuInfo>();
  cpu->Update();
  m.machine.SetFailing(true);
  cpu->Update();
  EXPECT_EQ(cpu->CpuTemp, std::vector<double>(4, 62.5));
  EXPECT_EQ(m.cpu.Mask(), m.cpu.InitialMask());
}

TEST(AmdFamily10, WithoutMiscControlNothingIsRead) {
  AmdMachine m(0x15, 0x70);  // no device ID known for this model
  m.machine.SetPci(kMiscControl, 0, 0x15731022);
  auto cpu = m.Create<TAmd10CpuInfo>();
  m.machine.ClearRequests();
  cpu->Update();
  EXPECT_TRUE(m.machine.Requests().empty());
  EXPECT_FALSE(cpu->HasTempSensor());
}

// Family 17h: writing the SMN address to register 0x60 of the root complex makes the register's
// value appear at 0x64.
void ModelSmn(sim::SimHardware& machine, uint32_t smnRegister, uint32_t value) {
  machine.SetPciWriteHook(
      [smnRegister, value](sim::SimHardware& m, uint32_t address, uint32_t reg, uint32_t written) {
        if (address == 0 && reg == 0x60) m.SetPci(0, 0x64, written == smnRegister ? value : 0);
      });
}

TEST(AmdFamily17, TemperatureThroughTheSmnIndexPair) {
  EXPECT_DOUBLE_EQ(Amd17Temperature(0x24080000), -13);
  EXPECT_DOUBLE_EQ(Amd17Temperature(0x24000000), 36);
  EXPECT_DOUBLE_EQ(Amd17Temperature(0x5A200000), 90.125);

  AmdMachine m(0x17, 0x71);
  ModelSmn(m.machine, 0x00059800, 0x24080000);
  auto cpu = m.Create<TAmd17CpuInfo>();
  cpu->Update();
  EXPECT_EQ(cpu->CpuTemp, std::vector<double>(4, -13.0));
  EXPECT_FALSE(cpu->HasTempSensor());  // a reading below zero is no reading for the strip
  EXPECT_EQ(m.cpu.Mask(), m.cpu.InitialMask());

  ModelSmn(m.machine, 0x00059800, 0x5A200000);
  cpu->Update();
  EXPECT_EQ(cpu->CpuTemp, std::vector<double>(4, 90.125));
  EXPECT_TRUE(cpu->HasTempSensor());
}

// The index/data pair in PCI configuration space is another program's too: no read while it is held.
TEST(AmdFamily17, SkipsTheCycleWhilePciConfigurationSpaceIsHeld) {
  AmdMachine m(0x17, 0x71);
  ModelSmn(m.machine, 0x00059800, 0x5A200000);
  auto cpu = m.Create<TAmd17CpuInfo>();
  test::WhileBusIsHeld(*InProcessBusLock(TBus::Pci), [&] { cpu->Update(); });
  EXPECT_EQ(cpu->CpuTemp, std::vector<double>(4, 0.0));
  cpu->Update();
  EXPECT_EQ(cpu->CpuTemp, std::vector<double>(4, 90.125));
}

TEST(AmdFamily0F, SelectsTheCoreSensorThenReadsThermtripStatus) {
  struct Case {
    uint32_t model;
    double offset;
    uint8_t select0, select1;
  };
  const Case cases[] = {
      {0x21, -49, 0, 4},                     // model below 40
      {0x4B, -49, 4, 0}, {0x68, -49, 4, 0},  // not above 0x68
      {0x6B, -28, 4, 0}, {0x6C, -49, 4, 0},  // excluded model
      {0x7C, -49, 4, 0},                     // excluded model
      {0xC1, -49, 4, 0},                     // excluded model
      {0x6F, -28, 4, 0}, {0x7F, -28, 4, 0},
  };
  for (const Case& c : cases) {
    AmdMachine m(0x0F, c.model, 2);
    m.SetMiscControlId(0x1103);
    // Register 0xE4 answers the select value written with a per-sensor reading in bits 23..16.
    m.machine.SetPciWriteHook(
        [](sim::SimHardware& machine, uint32_t address, uint32_t reg, uint32_t written) {
          if (address == kMiscControl && reg == 0xE4)
            machine.SetPci(address, reg, written | (written == 4 ? 0x4A : 0x50) << 16);
        });
    auto cpu = m.Create<TAmd0FCpuInfo>();
    EXPECT_EQ(cpu->offset, c.offset) << std::hex << c.model;
    EXPECT_EQ(cpu->thermSenseCoreSelCPU0, c.select0);
    EXPECT_EQ(cpu->thermSenseCoreSelCPU1, c.select1);
    cpu->Update();
    double core0 = (c.select0 == 4 ? 0x4A : 0x50) + c.offset;
    double core1 = (c.select1 == 4 ? 0x4A : 0x50) + c.offset;
    EXPECT_EQ(cpu->CpuTemp, (std::vector<double>{core0, core1})) << std::hex << c.model;
    EXPECT_EQ(m.cpu.Mask(), m.cpu.InitialMask());
  }
}

TEST(AmdFamily0F, AFailedAccessLeavesThatCoreUnchanged) {
  AmdMachine m(0x0F, 0x4B, 2);
  m.SetMiscControlId(0x1103);
  m.machine.SetPci(kMiscControl, 0xE4, 0x00500000);
  auto cpu = m.Create<TAmd0FCpuInfo>();
  m.machine.SetPciWriteHook([](sim::SimHardware& machine, uint32_t address, uint32_t reg, uint32_t) {
    machine.SetPci(address, reg, 0x00600000);
  });
  cpu->Update();
  EXPECT_EQ(cpu->CpuTemp, (std::vector<double>{0x60 - 49, 0x60 - 49}));
  m.machine.SetFailing(true);
  cpu->Update();
  EXPECT_EQ(cpu->CpuTemp, (std::vector<double>{0x60 - 49, 0x60 - 49}));
  EXPECT_EQ(m.cpu.Mask(), m.cpu.InitialMask());
}

}  // namespace
}  // namespace vsm
