#pragma once
// Date-times as the program keeps them: days since 30 December 1899, the fraction being the time
// of day (so 1 January 1970 is 25569).
#include <cstdint>
#include <optional>
#include <string_view>

namespace vsm {

using TDateTime = double;

constexpr TDateTime kUnixEpochDays = 25569;

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const CalendarDate&) const = default;
};

bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// Nothing for a date that does not exist (years 1..9999).
std::optional<TDateTime> EncodeDate(int year, int month, int day);
// Nothing for a time of day out of range.
std::optional<TDateTime> EncodeTime(int hour, int minute, int second, int millisecond);
// 0 = Sunday .. 6 = Saturday.
int DayOfWeek(TDateTime date);
CalendarDate DecodeDate(TDateTime date);

// A date written "yyyy-mm-dd" (one to four year digits, one or two for month and day); nothing
// for any other text or a date that does not exist.
std::optional<TDateTime> ParseIsoDate(std::string_view text);

// Seconds since 1 January 1970, taken as they are (no time-zone adjustment).
TDateTime UnixSecondsToDateTime(uint32_t seconds);
// An MS-DOS date and time (2-second resolution); nothing when they name no real moment.
std::optional<TDateTime> DosDateTimeToDateTime(uint16_t date, uint16_t time);

}  // namespace vsm
