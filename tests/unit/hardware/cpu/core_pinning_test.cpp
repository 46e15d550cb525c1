#include <gtest/gtest.h>

#include "ScriptedCpu.h"
#include "hardware/cpu/CorePinning.h"

namespace vsm {
namespace {

TEST(CorePinning, RunsEachCoreOnItsOwnProcessorAndRestoresTheMask) {
  test::ScriptedCpu cpu(4);
  std::vector<int> ranOn;
  ForEachCorePinned(cpu.Affinity(), 4, [&](int core) {
    EXPECT_EQ(cpu.CurrentCpu(), core);
    ranOn.push_back(core);
    return true;
  });
  EXPECT_EQ(ranOn, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(cpu.Mask(), cpu.InitialMask());
  EXPECT_EQ(cpu.MasksSet(), (std::vector<uint32_t>{1, 2, 4, 8, 0xF}));
}

TEST(CorePinning, EarlyStopAndExceptionsStillRestoreTheMask) {
  test::ScriptedCpu cpu(4);
  int calls = 0;
  ForEachCorePinned(cpu.Affinity(), 4, [&](int core) {
    ++calls;
    return core < 1;
  });
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(cpu.Mask(), cpu.InitialMask());

  EXPECT_THROW(ForEachCorePinned(cpu.Affinity(), 4, [](int) -> bool { throw std::runtime_error("x"); }),
               std::runtime_error);
  EXPECT_EQ(cpu.Mask(), cpu.InitialMask());
}

TEST(CorePinning, ARefusedMaskIsNotRememberedAsThePreviousOne) {
  // Two processors, four cores asked for: processors 2 and 3 are refused, the thread stays where
  // it was and the saved mask is still the one from before the first pin.
  test::ScriptedCpu cpu(2);
  ForEachCorePinned(cpu.Affinity(), 4, [](int) { return true; });
  EXPECT_EQ(cpu.Mask(), cpu.InitialMask());
}

TEST(CorePinning, CountsLogicalProcessorsUntilAMaskIsRefused) {
  for (int processors : {1, 3, 8, 32}) {
    test::ScriptedCpu cpu(processors);
    EXPECT_EQ(CountLogicalProcessors(cpu.Affinity()), processors) << processors;
    EXPECT_EQ(cpu.Mask(), cpu.InitialMask());
  }
  EXPECT_EQ(CountLogicalProcessors({}), 0);
}

}  // namespace
}  // namespace vsm
