#include <gtest/gtest.h>

#include "software/InterfaceTraffic.h"

namespace vsm {
namespace {

InterfaceCounters Ethernet(uint64_t key, uint64_t in, uint64_t out) {
  InterfaceCounters row;
  row.key = key;
  row.operational = true;
  row.inOctets = in;
  row.outOctets = out;
  return row;
}

// One interface of every kind that must not count, all with the same counters.
std::vector<InterfaceCounters> ExcludedInterfaces(uint64_t octets) {
  std::vector<InterfaceCounters> rows(5, Ethernet(0, octets, octets));
  for (size_t i = 0; i < rows.size(); ++i) rows[i].key = i + 1;
  rows[0].loopback = true;
  rows[1].operational = false;
  rows[2].filter = true;
  rows[3].tunnel = true;
  rows[4].hardware = false;  // e.g. a virtual switch
  return rows;
}

std::vector<InterfaceCounters> With(std::vector<InterfaceCounters> rows,
                                    std::initializer_list<InterfaceCounters> more) {
  rows.insert(rows.end(), more);
  return rows;
}

TEST(TInterfaceTrafficMeter, FirstSampleIsTheSumOfCountedInterfacesOnly) {
  TInterfaceTrafficMeter meter;
  MachineTotals totals =
      meter.Sample(With(ExcludedInterfaces(1000000), {Ethernet(10, 700, 70), Ethernet(11, 300, 30)}));
  EXPECT_EQ(totals.received, 1000u);
  EXPECT_EQ(totals.sent, 100u);
}

TEST(TInterfaceTrafficMeter, ExcludedInterfacesNeverAddTraffic) {
  TInterfaceTrafficMeter meter;
  meter.Sample(With(ExcludedInterfaces(0), {Ethernet(10, 100, 10)}));
  MachineTotals totals = meter.Sample(With(ExcludedInterfaces(1 << 20), {Ethernet(10, 150, 15)}));
  EXPECT_EQ(totals.received, 150u);
  EXPECT_EQ(totals.sent, 15u);
}

TEST(TInterfaceTrafficMeter, InterfacesThatVanishOrAppearCauseNoJump) {
  TInterfaceTrafficMeter meter;
  MachineTotals totals = meter.Sample({Ethernet(10, 1000, 100), Ethernet(11, 50000, 5000)});
  ASSERT_EQ(totals.received, 51000u);

  // Interface 11 goes away while 10 moves 200 bytes in and 20 out.
  totals = meter.Sample({Ethernet(10, 1200, 120)});
  EXPECT_EQ(totals.received, 51200u);
  EXPECT_EQ(totals.sent, 5120u);

  // A new interface with large counters only sets its baseline; 10 moves 100/10 more.
  totals = meter.Sample({Ethernet(10, 1300, 130), Ethernet(12, 9000000, 900000)});
  EXPECT_EQ(totals.received, 51300u);
  EXPECT_EQ(totals.sent, 5130u);

  // From then on its movement counts.
  totals = meter.Sample({Ethernet(10, 1300, 130), Ethernet(12, 9000500, 900050)});
  EXPECT_EQ(totals.received, 51800u);
  EXPECT_EQ(totals.sent, 5180u);
}

TEST(TInterfaceTrafficMeter, InterfaceComingUpAfterAnEmptyFirstSampleCausesNoJump) {
  InterfaceCounters down = Ethernet(10, 400000, 40000);
  down.operational = false;
  TInterfaceTrafficMeter meter;
  MachineTotals totals = meter.Sample({down});
  EXPECT_EQ(totals.received, 0u);
  totals = meter.Sample({Ethernet(10, 400000, 40000)});
  EXPECT_EQ(totals.received, 0u);
  totals = meter.Sample({Ethernet(10, 400100, 40010)});
  EXPECT_EQ(totals.received, 100u);
  EXPECT_EQ(totals.sent, 10u);
}

TEST(TInterfaceTrafficMeter, ThirtyTwoBitCountersWrapWithoutSpike) {
  InterfaceCounters before = Ethernet(7, 0xFFFFFF00u, 0xFFFFFFF0u);
  before.counters32 = true;
  InterfaceCounters after = Ethernet(7, 0x100, 0x10);
  after.counters32 = true;
  TInterfaceTrafficMeter meter;
  MachineTotals first = meter.Sample({before});
  MachineTotals second = meter.Sample({after});
  EXPECT_EQ(second.received - first.received, 0x200u);
  EXPECT_EQ(second.sent - first.sent, 0x20u);
}

TEST(TInterfaceTrafficMeter, ResetSixtyFourBitCounterAddsNothing) {
  TInterfaceTrafficMeter meter;
  meter.Sample({Ethernet(7, 5000000000ull, 6000000000ull)});
  MachineTotals reset = meter.Sample({Ethernet(7, 100, 10)});
  EXPECT_EQ(reset.received, 5000000000ull);
  EXPECT_EQ(reset.sent, 6000000000ull);
  MachineTotals later = meter.Sample({Ethernet(7, 300, 30)});
  EXPECT_EQ(later.received, 5000000200ull);
  EXPECT_EQ(later.sent, 6000000020ull);
}

TEST(TInterfaceTrafficMeter, InterfaceGoingDownAndUpAgainKeepsTheTotalsSteady) {
  TInterfaceTrafficMeter meter;
  meter.Sample({Ethernet(10, 1000, 100)});
  InterfaceCounters down = Ethernet(10, 1500, 150);
  down.operational = false;
  MachineTotals whileDown = meter.Sample({down});
  EXPECT_EQ(whileDown.received, 1000u);
  MachineTotals backUp = meter.Sample({Ethernet(10, 1600, 160)});
  EXPECT_EQ(backUp.received, 1000u);
  MachineTotals later = meter.Sample({Ethernet(10, 1700, 170)});
  EXPECT_EQ(later.received, 1100u);
  EXPECT_EQ(later.sent, 110u);
}

}  // namespace
}  // namespace vsm
