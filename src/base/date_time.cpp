#include "base/date_time.h"

#include <cmath>

namespace vsm {

namespace {

// Days from 1 January of year 1 to the given date, with 1 January of year 1 being day 1.
int64_t DayNumber(int year, int month, int day) {
  int64_t y = year - 1;
  int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  return days + day;
}

// A run of 1..maxDigits decimal digits at the start of `text`, consumed.
std::optional<int> TakeNumber(std::string_view& text, size_t maxDigits) {
  size_t length = 0;
  int value = 0;
  while (length < text.size() && length < maxDigits && text[length] >= '0' && text[length] <= '9') {
    value = value * 10 + (text[length] - '0');
    ++length;
  }
  if (length == 0) return std::nullopt;
  text.remove_prefix(length);
  return value;
}

bool TakeSeparator(std::string_view& text) {
  if (text.empty() || text.front() != '-') return false;
  text.remove_prefix(1);
  return true;
}

// Day number of 30 December 1899.
constexpr int64_t kDayZero = 693594;

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<TDateTime> EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  return static_cast<TDateTime>(DayNumber(year, month, day) - kDayZero);
}

std::optional<TDateTime> EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999) {
    return std::nullopt;
  }
  return ((hour * 60 + minute) * 60 + second + millisecond / 1000.0) / 86400.0;
}

std::optional<TDateTime> ParseIsoDate(std::string_view text) {
  const auto year = TakeNumber(text, 4);
  if (!year || !TakeSeparator(text)) return std::nullopt;
  const auto month = TakeNumber(text, 2);
  if (!month || !TakeSeparator(text)) return std::nullopt;
  const auto day = TakeNumber(text, 2);
  if (!day || !text.empty()) return std::nullopt;
  return EncodeDate(*year, *month, *day);
}

int DayOfWeek(TDateTime date) {
  // Day 0, 30 December 1899, was a Saturday.
  int64_t day = static_cast<int64_t>(std::floor(date));
  return static_cast<int>(((day + 6) % 7 + 7) % 7);
}

CalendarDate DecodeDate(TDateTime date) {
  int64_t target = static_cast<int64_t>(std::floor(date)) + kDayZero;
  CalendarDate result;
  if (target < 1) return result;
  // Estimate the year from the day number, then settle it.
  int year = static_cast<int>(target / 366) + 1;
  while (DayNumber(year + 1, 1, 1) <= target) ++year;
  result.year = year;
  int month = 1;
  while (month < 12 && DayNumber(year, month + 1, 1) <= target) ++month;
  result.month = month;
  result.day = static_cast<int>(target - DayNumber(year, month, 1) + 1);
  return result;
}

TDateTime UnixSecondsToDateTime(uint32_t seconds) { return kUnixEpochDays + seconds / 86400.0; }

std::optional<TDateTime> DosDateTimeToDateTime(uint16_t date, uint16_t time) {
  auto day = EncodeDate(1980 + (date >> 9), (date >> 5) & 0x0F, date & 0x1F);
  auto clock = EncodeTime(time >> 11, (time >> 5) & 0x3F, (time & 0x1F) * 2, 0);
  if (!day || !clock) return std::nullopt;
  return *day + *clock;
}

}  // namespace vsm
