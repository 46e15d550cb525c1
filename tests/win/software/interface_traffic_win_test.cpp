#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "../host_files_win.h"
#include "base/text.h"
#include "host_traffic_win.h"
#include "software/InterfaceTraffic_win.h"

namespace vsm {
namespace {

void ExpectBetween(const MachineTotals& low, const MachineTotals& value, const MachineTotals& high) {
  EXPECT_LE(low.received, value.received);
  EXPECT_LE(value.received, high.received);
  EXPECT_LE(low.sent, value.sent);
  EXPECT_LE(value.sent, high.sent);
}

TEST(InterfaceTrafficWine, BothTablesListTheHostsInterfaces) {
  auto table2 = ReadInterfaceTable2();
  auto table = ReadInterfaceTable();
  ASSERT_TRUE(table2.has_value());
  ASSERT_TRUE(table.has_value());
  size_t hostInterfaces = test::ListHostFolder("/sys/class/net").size();
  EXPECT_EQ(table2->size(), hostInterfaces);
  EXPECT_EQ(table->size(), hostInterfaces);
  int loopbacks = 0;
  for (const InterfaceCounters& row : *table) {
    EXPECT_TRUE(row.counters32);
    loopbacks += row.loopback;
  }
  EXPECT_EQ(loopbacks, 1);
}

TEST(InterfaceTrafficWine, TotalsFollowTheHostCountersOnBothTables) {
  for (bool wide : {true, false}) {
    SCOPED_TRACE(wide ? "64-bit table" : "32-bit table");
    auto read = wide ? ReadInterfaceTable2 : ReadInterfaceTable;
    TInterfaceTrafficMeter meter;
    MachineTotals before = test::HostTotals();
    auto rows = read();
    ASSERT_TRUE(rows.has_value());
    MachineTotals first = meter.Sample(*rows);
    MachineTotals between = test::HostTotals();
    ASSERT_GT(between.received, 0u) << "the host has no interface that is up";
    Sleep(1100);
    rows = read();
    ASSERT_TRUE(rows.has_value());
    MachineTotals second = meter.Sample(*rows);
    MachineTotals after = test::HostTotals();

    // The 32-bit counters hold the host's counters modulo 2^32.
    if (!wide && between.received >= (1ull << 32)) GTEST_SKIP() << "host counters beyond 32 bits";
    ExpectBetween(before, first, between);
    ExpectBetween(first, second, after);
  }
}

}  // namespace
}  // namespace vsm
