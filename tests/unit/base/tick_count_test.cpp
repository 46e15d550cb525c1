#include <gtest/gtest.h>

#include "base/TickCount.h"

namespace vsm {
namespace {

TEST(TickCount, WidensAcrossWrapsAndToleratesLateReaders) {
  struct Step {
    uint32_t tick;
    uint64_t expected;
  };
  // One sequence, read more often than every 24.8 days: a wrap, readers a little behind, a
  // second wrap.
  const Step steps[] = {
      {1000, 1000},
      {0x70000000u, 0x70000000u},
      {0xE0000000u, 0xE0000000u},
      {0xFFFFFFF0u, 0xFFFFFFF0u},
      {5, 0x100000005ull},            // wrapped
      {0xFFFFFFF8u, 0x0FFFFFFF8ull},  // read before the wrap was stored: not a second wrap
      {20, 0x100000014ull},
      {20, 0x100000014ull},
      {15, 0x10000000Full},  // slightly behind after the wrap
      {0x7FFFFFFFu, 0x17FFFFFFFull},
      {0xF0000000u, 0x1F0000000ull},
      {3, 0x200000003ull},  // the second wrap
  };
  std::atomic<uint64_t> state{0};
  for (const Step& step : steps) EXPECT_EQ(WidenTickCount(state, step.tick), step.expected) << step.tick;
}

TEST(TickCount, FirstTickIsTakenAsItComes) {
  std::atomic<uint64_t> state{0};
  EXPECT_EQ(WidenTickCount(state, 0xF0000000u), 0xF0000000u);  // a machine up for 46 days
  EXPECT_EQ(WidenTickCount(state, 5), 0x100000005ull);
}

TEST(TickCount, LateReaderLeavesTheStoredTickAlone) {
  std::atomic<uint64_t> state{0};
  WidenTickCount(state, 500);
  WidenTickCount(state, 400);
  EXPECT_EQ(state.load(), 500u);
}

}  // namespace
}  // namespace vsm
