#include <gtest/gtest.h>

#include "software/etw/ProcessTrafficCounters.h"

namespace vsm {
namespace {

NetworkTransfer In(uint32_t pid, uint32_t bytes) { return {pid, bytes, TrafficDirection::Received}; }
NetworkTransfer Out(uint32_t pid, uint32_t bytes) { return {pid, bytes, TrafficDirection::Sent}; }

TEST(ProcessTrafficCounters, AddsPerProcessAndDirection) {
  TProcessTrafficCounters counters;
  EXPECT_FALSE(counters.Totals(500));
  counters.Add(In(500, 1000));
  counters.Add(Out(500, 40));
  counters.Add(In(500, 24));
  counters.Add(In(600, 7));
  ASSERT_TRUE(counters.Totals(500));
  EXPECT_EQ(counters.Totals(500)->received, 1024u);
  EXPECT_EQ(counters.Totals(500)->sent, 40u);
  EXPECT_EQ(counters.Totals(600)->received, 7u);
  EXPECT_EQ(counters.Totals(600)->sent, 0u);
}

TEST(ProcessTrafficCounters, TotalsGrowPast32BitsWithoutWrapping) {
  TProcessTrafficCounters counters;
  for (int i = 0; i < 3; ++i) counters.Add(In(500, 0xFFFFFFFFu));
  EXPECT_EQ(counters.Totals(500)->received, 3ull * 0xFFFFFFFFull);
}

TEST(ProcessTrafficCounters, EndedProcessesAreForgottenSoAReusedIdStartsFromZero) {
  TProcessTrafficCounters counters;
  counters.Add(In(500, 5000));
  counters.Add(In(600, 10));
  counters.KeepOnly({600, 700});  // 500 has ended
  EXPECT_FALSE(counters.Totals(500));
  EXPECT_EQ(counters.Totals(600)->received, 10u);
  counters.Add(Out(500, 3));  // a new process got the identifier
  EXPECT_EQ(counters.Totals(500)->received, 0u);
  EXPECT_EQ(counters.Totals(500)->sent, 3u);
}

TEST(ProcessTrafficCounters, AFullTableTakesNoNewProcessesUntilPruned) {
  TProcessTrafficCounters counters;
  std::vector<uint32_t> running;
  for (uint32_t pid = 1; pid <= TProcessTrafficCounters::kMaxProcesses; ++pid) {
    counters.Add(In(pid, 1));
    running.push_back(pid);
  }
  counters.Add(In(999'999, 1));
  EXPECT_FALSE(counters.Totals(999'999));
  counters.Add(In(1, 1));  // known processes still count
  EXPECT_EQ(counters.Totals(1)->received, 2u);
  running.erase(running.begin() + 1);  // process 2 ended
  counters.KeepOnly(running);
  counters.Add(In(999'999, 1));
  EXPECT_TRUE(counters.Totals(999'999));
}

TEST(ProcessTrafficCounters, CountingFollowsItsOwner) {
  TProcessTrafficCounters counters;
  EXPECT_FALSE(counters.Counting());
  counters.SetCounting(true);
  EXPECT_TRUE(counters.Counting());
  counters.Stop();
  EXPECT_FALSE(counters.Counting());
}

}  // namespace
}  // namespace vsm
