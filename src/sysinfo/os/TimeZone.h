#pragma once
// The current time zone: its registry entry's names and this year's transition dates.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/date_time.h"
#include "sysinfo/os/OsPlatform.h"

namespace vsm {

// The 44-byte "TZI" value of a time-zone entry.
struct TziRecord {
  int32_t bias = 0;
  int32_t standardBias = 0;
  int32_t daylightBias = 0;
  SystemTimeFields standardDate;
  SystemTimeFields daylightDate;
};

// Nothing unless the value is exactly 44 bytes.
std::optional<TziRecord> ParseTzi(const std::vector<uint8_t>& bytes);

// The moment a transition date names in `year`: an absolute date when it carries a year, else
// week n of a weekday in its month, falling back a week at a time when the month has no such
// day. 0 for month 0 and for a date that names nothing.
TDateTime TransitionDate(const SystemTimeFields& date, int year);

class TTimeZone {
 public:
  void RefreshData(const OsPlatform& platform);

  int StandardBias() const { return FStdBias; }
  int DaylightBias() const { return FDayBias; }
  int Bias() const { return FBias; }
  const std::string& DisplayName() const { return FDisp; }
  const std::string& StandardName() const { return FStd; }
  TDateTime DaylightStart() const { return FDayStart; }
  TDateTime StandardStart() const { return FStdStart; }
  const std::string& DaylightName() const { return FDay; }
  const std::string& MapID() const { return FMap; }

 private:
  // Looks up the current zone among the registry's entries and takes their names from it.
  void MatchRegistryEntry(const OsPlatform& platform, TimeZoneInformation& current);

  int FStdBias = 0;
  int FDayBias = 0;
  int FBias = 0;
  std::string FDisp;
  std::string FStd;
  TDateTime FDayStart = 0;
  TDateTime FStdStart = 0;
  std::string FDay;
  std::string FMap;
};

}  // namespace vsm
