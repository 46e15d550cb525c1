#include <gtest/gtest.h>

#include "base/date_time.h"

namespace vsm {
namespace {

TEST(DateTime, UnixSecondsCountFromTheEpochWithoutZoneAdjustment) {
  EXPECT_EQ(UnixSecondsToDateTime(0), 25569.0);
  EXPECT_EQ(DecodeDate(UnixSecondsToDateTime(0)), (CalendarDate{1970, 1, 1}));
  TDateTime installed = UnixSecondsToDateTime(1500000000);
  EXPECT_EQ(DecodeDate(installed), (CalendarDate{2017, 7, 14}));
  // 02:40:00 of that day.
  EXPECT_NEAR((installed - 42930) * 86400, 9600, 1e-3);
  EXPECT_EQ(DecodeDate(UnixSecondsToDateTime(0xFFFFFFFFu)), (CalendarDate{2106, 2, 7}));
}

TEST(DateTime, EncodeAndDecodeAgreeAcrossLeapYears) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0);
  EXPECT_EQ(EncodeDate(2000, 2, 29), 36585.0);
  EXPECT_FALSE(EncodeDate(1900, 2, 29).has_value());
  EXPECT_FALSE(EncodeDate(2023, 13, 1).has_value());
  EXPECT_FALSE(EncodeDate(2023, 4, 31).has_value());
  for (int year : {1601, 1900, 1999, 2000, 2024, 2100}) {
    for (int month = 1; month <= 12; ++month) {
      int last = DaysInMonth(year, month);
      EXPECT_EQ(DecodeDate(*EncodeDate(year, month, last)), (CalendarDate{year, month, last}));
      EXPECT_EQ(DecodeDate(*EncodeDate(year, month, 1)), (CalendarDate{year, month, 1}));
    }
  }
}

TEST(DateTime, WeekdaysAndDosStamps) {
  EXPECT_EQ(DayOfWeek(*EncodeDate(2017, 7, 14)), 5);  // Friday
  EXPECT_EQ(DayOfWeek(*EncodeDate(1899, 12, 30)), 6);
  EXPECT_EQ(DayOfWeek(*EncodeDate(1899, 12, 24)), 0);
  // 2009-06-21 13:45:58: date (29 << 9 | 6 << 5 | 21), time (13 << 11 | 45 << 5 | 29).
  auto stamp = DosDateTimeToDateTime(29 << 9 | 6 << 5 | 21, 13 << 11 | 45 << 5 | 29);
  ASSERT_TRUE(stamp.has_value());
  EXPECT_EQ(DecodeDate(*stamp), (CalendarDate{2009, 6, 21}));
  EXPECT_NEAR((*stamp - static_cast<int>(*stamp)) * 86400, 13 * 3600 + 45 * 60 + 58, 1e-3);
  EXPECT_FALSE(DosDateTimeToDateTime(0, 0).has_value());  // month 0
  EXPECT_FALSE(DosDateTimeToDateTime(29 << 9 | 6 << 5 | 21, 25 << 11).has_value());
}

TEST(DateTime, IsoDatesParseOnlyWhenWholeAndReal) {
  EXPECT_EQ(ParseIsoDate("2024-05-10"), EncodeDate(2024, 5, 10));
  EXPECT_EQ(ParseIsoDate("2024-5-1"), EncodeDate(2024, 5, 1));
  for (const char* bad : {"", "2024-05", "2024-02-30", "2024/05/10", "2024-05-10 12:00", "10.05.2024",
                          "-2024-05-10", "20240-05-10", "2024-005-10", "2024-05-1x"}) {
    EXPECT_FALSE(ParseIsoDate(bad)) << bad;
  }
}

}  // namespace
}  // namespace vsm
