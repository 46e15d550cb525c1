#include <gtest/gtest.h>

#include "ScriptedCpu.h"
#include "hardware/cpu/IntelCpu.h"

namespace vsm {
namespace {

TEST(IntelTjMax, FixedValuesAndModelsReadFromTheProcessor) {
  struct Case {
    uint32_t family, model, stepping;
    uint8_t cores;
    std::optional<double> tjMax;
  };
  const std::optional<double> fromMsr;
  const Case cases[] = {
      {15, 0x04, 1, 2, 100},    {6, 0x0F, 6, 2, 90},      {6, 0x0F, 6, 4, 100},     {6, 0x0F, 6, 1, 95},
      {6, 0x0F, 6, 8, 95},      {6, 0x0F, 11, 2, 100},    {6, 0x0F, 2, 2, 95},      {6, 0x17, 10, 4, 100},
      {6, 0x1C, 10, 1, 100},    {6, 0x1C, 2, 1, 90},      {6, 0x1A, 5, 4, fromMsr}, {6, 0x2A, 7, 4, fromMsr},
      {6, 0x3C, 3, 4, fromMsr}, {6, 0x5E, 3, 4, fromMsr}, {6, 0x8E, 9, 2, fromMsr}, {6, 0x9E, 10, 6, fromMsr},
      {6, 0xAE, 0, 4, fromMsr}, {6, 0x16, 1, 1, 100},     {6, 0x3B, 1, 1, 100},     {6, 0xA7, 1, 2, 100},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IntelFixedTjMax(c.family, c.model, c.stepping, c.cores), c.tjMax)
        << c.family << " " << std::hex << c.model << " " << c.stepping << " " << int(c.cores);
  }
}

TEST(IntelDts, TemperatureIsTjMaxMinusReadoutWhenValid) {
  EXPECT_EQ(IntelDtsTemperature(0x88270000, 100), 61);
  EXPECT_EQ(IntelDtsTemperature(0x08270000, 100), 0);
  EXPECT_EQ(IntelDtsTemperature(0x88FF0000, 100), 100 - 0x7F);  // bit 23 is not part of the readout
}

struct IntelMachine {
  explicit IntelMachine(uint32_t model, uint32_t stepping = 3, int processors = 4) : cpu(processors) {
    cpu.SetIdentity("GenuineIntel", 6, model, stepping, 0xD);
  }
  std::unique_ptr<TIntelCPUInof> Create(int cores = 4) {
    return CreateCpuInfo<TIntelCPUInof>(
        cpu.Seams(&machine, test::ProcessorWmi({{"NumberOfCores", WmiValue::Int(cores)}})));
  }
  test::ScriptedCpu cpu;
  sim::SimHardware machine;
};

TEST(IntelCpu, ReadsTjMaxAndTheThermalSensorOnEachCore) {
  IntelMachine m(0x3C);
  const uint32_t tjMax[] = {100, 95, 105, 0};  // the last core refuses MSR 0x1A2
  const uint32_t status[] = {0x88270000, 0x882D0000, 0x08270000, 0x88140000};
  for (int core = 0; core < 4; ++core) {
    if (tjMax[core] != 0) m.machine.SetMsr(core, 0x1A2, uint64_t{tjMax[core]} << 16 | 0x0A00);
    m.machine.SetMsr(core, 0x19C, status[core]);
  }
  auto cpu = m.Create();
  EXPECT_EQ(cpu->TjMax, (std::vector<double>{100, 95, 105, 100}));
  EXPECT_EQ(m.cpu.Mask(), m.cpu.InitialMask());

  cpu->Update();
  EXPECT_EQ(cpu->CpuTemp, (std::vector<double>{61, 50, 0, 80}));
  EXPECT_TRUE(cpu->HasTempSensor());
  EXPECT_EQ(m.cpu.Mask(), m.cpu.InitialMask());
}

TEST(IntelCpu, FixedTjMaxModelsNeverAskTheProcessor) {
  IntelMachine m(0x0F, 6);
  m.machine.SetMsr(0, 0x1A2, 0x00500000);
  auto cpu = m.Create(2);
  EXPECT_EQ(cpu->TjMax, (std::vector<double>{90, 90}));
  EXPECT_TRUE(m.machine.Requests().empty());
}

TEST(IntelCpu, FailedSensorReadsGiveZeroAndAnEarlierValueIsNotKept) {
  IntelMachine m(0x3C);
  for (int core = 0; core < 4; ++core) m.machine.SetMsr(core, 0x19C, 0x88270000);
  auto cpu = m.Create();
  cpu->Update();
  EXPECT_EQ(cpu->CpuTemp, std::vector<double>(4, 61.0));
  m.machine.SetFailing(true);
  cpu->Update();
  EXPECT_EQ(cpu->CpuTemp, std::vector<double>(4, 0.0));
  EXPECT_FALSE(cpu->HasTempSensor());
  EXPECT_EQ(m.cpu.Mask(), m.cpu.InitialMask());
}

TEST(IntelCpu, ProcessorsWithFewStandardLeavesAreNotRead) {
  IntelMachine m(0x3C);
  m.cpu.SetIdentity("GenuineIntel", 6, 0x3C, 3, /*highestLeaf=*/4);
  for (int core = 0; core < 4; ++core) m.machine.SetMsr(core, 0x19C, 0x88270000);
  auto cpu = m.Create();
  m.machine.ClearRequests();
  cpu->Update();
  EXPECT_TRUE(m.machine.Requests().empty());
  EXPECT_EQ(cpu->CpuTemp, std::vector<double>(4, 0.0));
}

}  // namespace
}  // namespace vsm
