#include "sysinfo/os/TimeZone.h"

#include <algorithm>

#include "base/le_bytes.h"

namespace vsm {

namespace {

const std::string kTimeZonesKey = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";
constexpr size_t kTziSize = 44;
constexpr size_t kZoneNameLength = 32;

int32_t Int32At(ByteView bytes, size_t offset) { return static_cast<int32_t>(bytes.U32(offset)); }

SystemTimeFields SystemTimeAt(ByteView bytes, size_t offset) {
  uint16_t words[8];
  for (size_t i = 0; i < 8; ++i) words[i] = bytes.U16(offset + 2 * i);
  return {words[0], words[1], words[2], words[3], words[4], words[5], words[6], words[7]};
}

// The first `count` characters of UTF-8 text.
std::string FirstCharacters(const std::string& text, size_t count) {
  size_t characters = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (starts && characters++ == count) return text.substr(0, i);
  }
  return text;
}

std::optional<TDateTime> DayOfMonthRule(const SystemTimeFields& date, int year) {
  if (date.dayOfWeek > 6) return std::nullopt;
  auto first = EncodeDate(year, date.month, 1);
  if (!first) return std::nullopt;
  int firstMatch = 1 + (date.dayOfWeek - DayOfWeek(*first) + 7) % 7;
  // Week 5 means the last such weekday; week 1 always exists.
  int week = std::clamp<int>(date.day, 1, 5);
  int day = firstMatch + (week - 1) * 7;
  while (day > DaysInMonth(year, date.month)) day -= 7;
  return EncodeDate(year, date.month, day);
}

}  // namespace

std::optional<TziRecord> ParseTzi(const std::vector<uint8_t>& bytes) {
  if (bytes.size() != kTziSize) return std::nullopt;
  return TziRecord{Int32At(bytes, 0), Int32At(bytes, 4), Int32At(bytes, 8), SystemTimeAt(bytes, 12),
                   SystemTimeAt(bytes, 28)};
}

TDateTime TransitionDate(const SystemTimeFields& date, int year) {
  if (date.month == 0) return 0;
  auto day = date.year != 0 ? EncodeDate(date.year, date.month, date.day) : DayOfMonthRule(date, year);
  auto time = EncodeTime(date.hour, date.minute, date.second, date.milliseconds);
  if (!day || !time) return 0;
  return *day + *time;
}

void TTimeZone::MatchRegistryEntry(const OsPlatform& platform, TimeZoneInformation& current) {
  for (const std::string& subkey : platform.RegSubkeys(RegRoot::LocalMachine, kTimeZonesKey)) {
    std::string key = kTimeZonesKey + "\\" + subkey;
    auto tziText = platform.RegText(RegRoot::LocalMachine, key, "TZI");
    auto tziBytes = tziText ? ParseRegHexForm(*tziText) : std::nullopt;
    auto tzi = tziBytes ? ParseTzi(*tziBytes) : std::nullopt;
    if (!tzi) continue;
    std::string standard =
        FirstCharacters(platform.RegText(RegRoot::LocalMachine, key, "Std").value_or(""), kZoneNameLength);
    std::string daylight =
        FirstCharacters(platform.RegText(RegRoot::LocalMachine, key, "Dlt").value_or(""), kZoneNameLength);
    if (tzi->bias != current.bias || tzi->standardBias != current.standardBias ||
        tzi->standardDate != current.standardDate || standard != current.standardName) {
      continue;
    }
    FDisp = platform.RegText(RegRoot::LocalMachine, key, "Display").value_or("");
    current.standardName = standard;
    current.daylightName = daylight;
    FMap = platform.RegText(RegRoot::LocalMachine, key, "MapID").value_or("");
    return;
  }
}

void TTimeZone::RefreshData(const OsPlatform& platform) {
  auto current = platform.TimeZone();
  if (!current) return;
  MatchRegistryEntry(platform, *current);
  FBias = current->bias;
  FStd = current->standardName;
  FDay = current->daylightName;
  if (current->standardDate.month != 0 && current->daylightDate.month != 0) {
    int year = platform.CurrentYear();
    FDayStart = TransitionDate(current->daylightDate, year);
    FStdStart = TransitionDate(current->standardDate, year);
    FStdBias = current->bias + current->standardBias;
    FDayBias = current->bias + current->daylightBias;
  }
}

}  // namespace vsm
