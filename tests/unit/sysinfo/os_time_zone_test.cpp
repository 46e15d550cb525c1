#include <gtest/gtest.h>

#include "fake_os_platform.h"
#include "sysinfo/os/TimeZone.h"

namespace vsm {
namespace {

const char kZones[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

CalendarDate DateOf(TDateTime value) { return DecodeDate(value); }
double HoursOf(TDateTime value) { return (value - static_cast<int64_t>(value)) * 24; }

SystemTimeFields Rule(uint16_t month, uint16_t weekday, uint16_t week, uint16_t hour) {
  SystemTimeFields date;
  date.month = month;
  date.dayOfWeek = weekday;
  date.day = week;
  date.hour = hour;
  return date;
}

TEST(TransitionDate, WeekOfWeekdayInMonthAndAbsoluteDates) {
  struct Case {
    SystemTimeFields date;
    int year;
    CalendarDate expected;
    double hours;
  };
  SystemTimeFields absolute = Rule(11, 0, 3, 4);
  absolute.year = 2006;
  const Case cases[] = {
      {Rule(3, 0, 2, 2), 2024, {2024, 3, 10}, 2},    // second Sunday of March
      {Rule(11, 0, 1, 2), 2024, {2024, 11, 3}, 2},   // first Sunday of November
      {Rule(10, 0, 5, 3), 2023, {2023, 10, 29}, 3},  // last Sunday of October
      {Rule(3, 0, 5, 1), 2024, {2024, 3, 31}, 1},    // last Sunday that is the 31st
      {Rule(2, 3, 5, 0), 2023, {2023, 2, 22}, 0},    // no fifth Wednesday: the fourth
      {Rule(2, 3, 5, 0), 2024, {2024, 2, 28}, 0},   {Rule(4, 6, 4, 23), 2024, {2024, 4, 27}, 23},
      {absolute, 2024, {2006, 11, 3}, 4},  // a date with a year stands as it is
  };
  for (const Case& c : cases) {
    TDateTime value = TransitionDate(c.date, c.year);
    EXPECT_EQ(DateOf(value), c.expected) << c.date.month << "/" << c.date.day;
    EXPECT_NEAR(HoursOf(value), c.hours, 1e-6);
  }
  EXPECT_EQ(TransitionDate(Rule(0, 0, 2, 2), 2024), 0);
  // Nonsense gives 0 rather than a wrong date; week 0 reads as the first week.
  EXPECT_EQ(TransitionDate(Rule(13, 0, 2, 2), 2024), 0);
  EXPECT_EQ(TransitionDate(Rule(3, 7, 2, 2), 2024), 0);
  EXPECT_EQ(TransitionDate(Rule(3, 0, 1, 24), 2024), 0);
  EXPECT_EQ(DateOf(TransitionDate(Rule(3, 0, 0, 2), 2024)), (CalendarDate{2024, 3, 3}));
}

// The "TZI" bytes of a zone as the registry wrapper renders raw data.
std::string TziText(int32_t bias, int32_t standardBias, int32_t daylightBias, SystemTimeFields standard,
                    SystemTimeFields daylight) {
  std::vector<uint8_t> bytes;
  auto put32 = [&](int32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
  };
  auto putTime = [&](const SystemTimeFields& t) {
    for (uint16_t w : {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds}) {
      bytes.push_back(static_cast<uint8_t>(w));
      bytes.push_back(static_cast<uint8_t>(w >> 8));
    }
  };
  put32(bias);
  put32(standardBias);
  put32(daylightBias);
  putTime(standard);
  putTime(daylight);
  std::string text;
  for (uint8_t b : bytes) text += (text.empty() ? "" : ",") + Format("%02X", b);
  return text;
}

TimeZoneInformation Berlin() {
  return {-60, "W. Europe Standard Time", Rule(10, 0, 5, 3), 0, "W. Europe Daylight Time", Rule(3, 0, 5, 2),
          -60};
}

void AddZone(test::FakeOsPlatform& platform, const std::string& key, const std::string& tzi,
             const std::string& std, const std::string& display) {
  platform.AddSubkey(RegRoot::LocalMachine, kZones, key);
  std::string path = std::string(kZones) + "\\" + key;
  platform.SetReg(RegRoot::LocalMachine, path, "TZI", tzi);
  platform.SetReg(RegRoot::LocalMachine, path, "Std", std);
  platform.SetReg(RegRoot::LocalMachine, path, "Dlt", std + " (summer)");
  platform.SetReg(RegRoot::LocalMachine, path, "Display", display);
}

TEST(TTimeZone, MatchesTheRegistryEntryAndComputesThisYearsTransitions) {
  test::FakeOsPlatform platform;
  platform.year = 2023;
  platform.timeZone = Berlin();
  TimeZoneInformation tz = Berlin();
  // A value that is not 44 bytes, a zone with another standard name, one with another bias,
  // then the match, then a later entry that would match as well.
  AddZone(platform, "Short", "C4,FF,FF,FF", tz.standardName, "(short)");
  AddZone(platform, "Other name", TziText(-60, 0, -60, tz.standardDate, tz.daylightDate),
          "Romance Standard Time", "(Paris)");
  AddZone(platform, "Other bias", TziText(-120, 0, -60, tz.standardDate, tz.daylightDate), tz.standardName,
          "(Athens)");
  AddZone(platform, "W. Europe Standard Time", TziText(-60, 0, -60, tz.standardDate, tz.daylightDate),
          tz.standardName, "(UTC+01:00) Amsterdam, Berlin");
  platform.SetReg(RegRoot::LocalMachine, std::string(kZones) + "\\W. Europe Standard Time", "MapID", "4,5");
  AddZone(platform, "Later", TziText(-60, 0, -60, tz.standardDate, tz.daylightDate), tz.standardName,
          "(later)");

  TTimeZone zone;
  zone.RefreshData(platform);
  EXPECT_EQ(zone.DisplayName(), "(UTC+01:00) Amsterdam, Berlin");
  EXPECT_EQ(zone.MapID(), "4,5");
  EXPECT_EQ(zone.StandardName(), "W. Europe Standard Time");
  EXPECT_EQ(zone.DaylightName(), "W. Europe Standard Time (summer)");
  EXPECT_EQ(zone.Bias(), -60);
  EXPECT_EQ(zone.StandardBias(), -60);
  EXPECT_EQ(zone.DaylightBias(), -120);
  EXPECT_EQ(DateOf(zone.DaylightStart()), (CalendarDate{2023, 3, 26}));
  EXPECT_EQ(DateOf(zone.StandardStart()), (CalendarDate{2023, 10, 29}));
}

TEST(TTimeZone, ZoneWithoutDaylightSavingAndWithoutRegistryEntry) {
  test::FakeOsPlatform platform;
  platform.timeZone = TimeZoneInformation{-480, "China Standard Time", {}, 0, "China Daylight Time", {}, -60};
  TTimeZone zone;
  zone.RefreshData(platform);
  EXPECT_EQ(zone.Bias(), -480);
  EXPECT_EQ(zone.StandardName(), "China Standard Time");
  EXPECT_EQ(zone.DisplayName(), "");
  EXPECT_EQ(zone.MapID(), "");
  EXPECT_EQ(zone.DaylightStart(), 0);
  EXPECT_EQ(zone.StandardStart(), 0);
  EXPECT_EQ(zone.StandardBias(), 0);
  EXPECT_EQ(zone.DaylightBias(), 0);
}

TEST(TTimeZone, RegistryNamesAreCutTo32Characters) {
  test::FakeOsPlatform platform;
  std::string longName(40, 'Z');
  platform.timeZone = TimeZoneInformation{0, longName.substr(0, 32), {}, 0, "", {}, 0};
  AddZone(platform, "Long", TziText(0, 0, 0, {}, {}), longName, "(long)");
  TTimeZone zone;
  zone.RefreshData(platform);
  EXPECT_EQ(zone.DisplayName(), "(long)");
  EXPECT_EQ(zone.DaylightName(), std::string(32, 'Z'));
}

}  // namespace
}  // namespace vsm
