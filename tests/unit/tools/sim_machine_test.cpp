#include <gtest/gtest.h>

#include <set>

#include "ScriptedCpu.h"
#include "base/le_bytes.h"
#include "hardware/cpu/AmdCpu.h"
#include "hardware/cpu/IntelCpu.h"
#include "hardware/superio/BoardDetection.h"
#include "sim/SimMachine.h"
#include "software/TdiFwDrv.h"

namespace vsm {
namespace {

using sim::SimCpuIdentity;
using sim::SimMachine;

std::vector<double> Values(const TSenorArray& sensors) {
  std::vector<double> values;
  for (const auto& sensor : sensors) values.push_back(sensor.value);
  return values;
}

// The program's own chip detection and chip class find the board chip and read values a real
// board of this kind shows, and they move as time passes.
TEST(SimMachine, TheProgramFindsTheBoardChipAndItsReadingsMove) {
  SimMachine machine({"GenuineIntel", 6, 0x9E, 10, 4});
  auto board = DetectMainBord({machine.Hardware().Factory(), nullptr, nullptr, nullptr});
  ASSERT_EQ(board->Chip, 0xC330);
  board->update();
  ASSERT_EQ(board->Temperatures.size(), 4u);
  for (double t : Values(board->Temperatures)) {
    EXPECT_GE(t, 25);
    EXPECT_LE(t, 60);
  }
  auto fans = Values(board->Fans);
  ASSERT_EQ(fans.size(), 5u);
  EXPECT_GT(fans[0], 500);
  EXPECT_GT(fans[1], 1000);
  EXPECT_GT(fans[2], 500);
  EXPECT_EQ(fans[3], 0);  // not connected
  for (double v : Values(board->Voltages)) {
    EXPECT_GT(v, 0.5);
    EXPECT_LT(v, 2.04);
  }
  auto before = std::make_tuple(Values(board->Temperatures), fans, Values(board->Voltages));

  machine.AdvanceTo(9, {});
  board->update();
  EXPECT_NE(std::make_tuple(Values(board->Temperatures), Values(board->Fans), Values(board->Voltages)),
            before);
}

struct CpuCase {
  const char* name;
  SimCpuIdentity identity;
  std::function<std::unique_ptr<TCpuInfo>(const TCpuSeams&)> create;
  bool perCore;  // Intel reads each core's own sensor; AMD one sensor per node (0Fh: two)
};

TEST(SimMachine, TheProgramReadsCoreTemperaturesForEitherKindOfProcessor) {
  const CpuCase cases[] = {
      {"Intel, TjMax from the MSR",
       {"GenuineIntel", 6, 0x9E, 10, 4},
       [](auto& s) { return CreateCpuInfo<TIntelCPUInof>(s); },
       true},
      {"Intel, fixed TjMax",
       {"GenuineIntel", 6, 0x17, 10, 4},
       [](auto& s) { return CreateCpuInfo<TIntelCPUInof>(s); },
       true},
      {"AMD 10h",
       {"AuthenticAMD", 0x10, 0x02, 0, 4},
       [](auto& s) { return CreateCpuInfo<TAmd10CpuInfo>(s); },
       false},
      {"AMD 15h",
       {"AuthenticAMD", 0x15, 0x02, 0, 4},
       [](auto& s) { return CreateCpuInfo<TAmd10CpuInfo>(s); },
       false},
      {"AMD 17h",
       {"AuthenticAMD", 0x17, 0x01, 0, 4},
       [](auto& s) { return CreateCpuInfo<TAmd17CpuInfo>(s); },
       false},
  };
  for (const CpuCase& c : cases) {
    SCOPED_TRACE(c.name);
    SimMachine machine(c.identity);
    machine.AdvanceTo(5, {});
    test::ScriptedCpu cpu(4);
    cpu.SetIdentity(c.identity.vendor, c.identity.family, c.identity.model, c.identity.stepping, 0xD);
    auto info =
        c.create(cpu.Seams(&machine.Hardware(), test::ProcessorWmi({{"NumberOfCores", WmiValue::Int(4)}})));
    info->Update();
    ASSERT_EQ(info->CpuTemp.size(), 4u);
    for (int core = 0; core < 4; ++core) {
      EXPECT_NEAR(info->CpuTemp[core], SimMachine::CoreTemperature(c.perCore ? core : 0, 5), 1e-9) << core;
    }
  }
}

TEST(SimMachine, Amd0FAnswersTheSelectedCoreOnEitherRevision) {
  for (uint32_t model : {0x2Bu, 0x6Bu}) {
    SCOPED_TRACE(model);
    SimMachine machine({"AuthenticAMD", 0x0F, model, 0, 2});
    machine.AdvanceTo(3, {});
    test::ScriptedCpu cpu(2);
    cpu.SetIdentity("AuthenticAMD", 0x0F, model, 0, 0xD);
    auto info = CreateCpuInfo<TAmd0FCpuInfo>(
        cpu.Seams(&machine.Hardware(), test::ProcessorWmi({{"NumberOfCores", WmiValue::Int(2)}})));
    info->Update();
    ASSERT_EQ(info->CpuTemp.size(), 2u);
    EXPECT_EQ(info->CpuTemp[0], SimMachine::CoreTemperature(0, 3));
    EXPECT_EQ(info->CpuTemp[1], SimMachine::CoreTemperature(1, 3));
  }
}

TEST(SimMachine, AnUnknownProcessorGetsNoCoreRegisters) {
  SimMachine machine({"CentaurHauls", 6, 0x0F, 0, 2});
  uint32_t in[2] = {TIntelCPUInof::kMsrThermStatus, 0};
  uint8_t out[8] = {};
  EXPECT_FALSE(machine.Hardware().Handle(TVeskHdDrv::kIoctlRdmsr, reinterpret_cast<uint8_t*>(in), 4, out, 8));
}

uint64_t Received(sim::SimTrafficFilter& filter, uint32_t processId) {
  uint8_t record[22] = {22};
  uint32_t returned = 0;
  uint8_t in[4];
  PutLe(in, 0, processId, 4);
  if (processId == 0) {
    record[0] = 17;
    EXPECT_TRUE(filter.Handle(tdi::kIoctlGetProcessData, in, 4, record, 17, returned));
    return ByteView(record, 17).U64(tdi::kTotalReceivedOffset);
  }
  EXPECT_TRUE(filter.Handle(tdi::kIoctlGetProcessData, in, 4, record, 22, returned));
  return ByteView(record, 22).U64(tdi::kProcessReceivedOffset);
}

TEST(SimTrafficModel, LiveProcessesCountTrafficAndTheMachineTotalIsTheirSum) {
  SimMachine machine({"GenuineIntel", 6, 0x9E, 10, 1});
  auto& filter = machine.Filter();
  machine.AdvanceTo(1, {100, 200});
  EXPECT_EQ(Received(filter, 100), 0u);  // the first look only takes note
  machine.AdvanceTo(3, {100, 200});
  uint64_t first = Received(filter, 100);
  EXPECT_GT(first, 2u * 1024);
  EXPECT_GT(Received(filter, 200), 0u);
  EXPECT_EQ(Received(filter, 0), first + Received(filter, 200));
  machine.AdvanceTo(5, {200});  // process 100 ended
  EXPECT_EQ(Received(filter, 100), first);
  EXPECT_EQ(Received(filter, 300), 0u);
}

TEST(SimTrafficModel, RulesHoldBackAndCapAProcess) {
  sim::SimTrafficFilter filter;
  sim::SimTrafficModel model(filter);
  auto rule = [&](uint32_t pid, uint8_t request, uint8_t type, int32_t limit) {
    uint8_t record[14] = {14, 0, request, type};
    PutLe(record, 4, static_cast<uint32_t>(limit), 4);
    PutLe(record, 8, pid, 4);
    uint32_t returned = 0;
    ASSERT_TRUE(filter.Handle(tdi::kIoctlSetFilterRule, record, 14, nullptr, 0, returned));
  };
  const double clock = 12;
  sim::SimRates natural = sim::SimTrafficModel::NaturalRates(42, clock);
  ASSERT_GT(natural.received, 1024);
  ASSERT_GT(natural.sent, 0);

  rule(42, ALL, DENY, 0);
  EXPECT_EQ(model.RatesAfterRules(42, clock).received, 0);
  EXPECT_EQ(model.RatesAfterRules(42, clock).sent, 0);
  rule(42, ALL, ALLOW, 0);
  EXPECT_EQ(model.RatesAfterRules(42, clock).received, natural.received);

  rule(42, RECV, SPEED, 512);
  EXPECT_EQ(model.RatesAfterRules(42, clock).received, 512);
  EXPECT_EQ(model.RatesAfterRules(42, clock).sent, natural.sent);
  rule(42, RECV, SPEED, -1);  // lifted
  EXPECT_EQ(model.RatesAfterRules(42, clock).received, natural.received);
  rule(42, ALL, SPEED, 100);
  EXPECT_EQ(model.RatesAfterRules(42, clock).received, 100);
  EXPECT_EQ(model.RatesAfterRules(42, clock).sent, std::min(100.0, natural.sent));

  // Blocked while time passes: its counters stand still.
  rule(42, ALL, DENY, 0);
  model.Advance(1, {42});
  model.Advance(4, {42});
  EXPECT_EQ(Received(filter, 42), 0u);
}

TEST(SimTrafficModel, EachProcessThatAppearsSignalsTheCreationEventOnce) {
  sim::SimTrafficFilter filter;
  sim::SimTrafficModel model(filter);
  int signals = 0;
  filter.SetEventSignaller([&](uint32_t) { ++signals; });
  uint8_t handle[4] = {0x34, 0x12, 0, 0};
  uint32_t returned = 0;
  ASSERT_TRUE(filter.Handle(tdi::kIoctlRegisterEvent, handle, 4, nullptr, 0, returned));

  model.Advance(0, {10, 11});  // what runs at the start was not created now
  EXPECT_EQ(signals, 0);
  model.Advance(1, {10, 11, 12});
  EXPECT_EQ(signals, 1);
  model.Advance(2, {10, 11, 12});
  EXPECT_EQ(signals, 1);
  model.Advance(3, {10, 13, 14});
  EXPECT_EQ(signals, 3);
  model.Advance(4, {10, 11, 13, 14});  // an id that comes back is a new process
  EXPECT_EQ(signals, 4);
}

}  // namespace
}  // namespace vsm
