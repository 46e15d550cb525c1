#pragma once
// The operating-system calls the operating-system information is gathered from. The Windows
// shell answers them from the real system (OsPlatform_win.h); tests answer them from tables.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/registry_reader.h"

namespace vsm {

// The extended version record.
struct OsVersionRecord {
  uint32_t majorVersion = 0;
  uint32_t minorVersion = 0;
  uint32_t buildNumber = 0;
  uint32_t platformId = 0;
  std::string csdVersion;  // at most 128 characters, the record's field
  uint16_t servicePackMajor = 0;
  uint16_t servicePackMinor = 0;
  uint16_t suiteMask = 0;
  uint8_t productType = 0;
};

// A calendar moment as the time-zone records hold it. Without a year, a transition date means
// "week `day` (5 = last) of weekday `dayOfWeek` in `month`".
struct SystemTimeFields {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t dayOfWeek = 0;
  uint16_t day = 0;
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t milliseconds = 0;
  bool operator==(const SystemTimeFields&) const = default;
};

struct TimeZoneInformation {
  int32_t bias = 0;
  std::string standardName;
  SystemTimeFields standardDate;
  int32_t standardBias = 0;
  std::string daylightName;
  SystemTimeFields daylightDate;
  int32_t daylightBias = 0;
};

class OsPlatform {
 public:
  virtual ~OsPlatform() = default;

  // The extended version record; nothing when the call fails.
  virtual std::optional<OsVersionRecord> VersionInfo() const = 0;
  // The product type for these version numbers; nothing when the call is missing or fails.
  virtual std::optional<uint32_t> ProductInfo(uint32_t major, uint32_t minor, uint32_t spMajor,
                                              uint32_t spMinor) const = 0;
  virtual int SystemMetric(int index) const = 0;
  // The native processor architecture on 64-bit Windows where it can be asked, else the one
  // the program sees.
  virtual uint16_t ProcessorArchitecture() const = 0;
  virtual bool Is64BitWindows() const = 0;
  virtual std::optional<TimeZoneInformation> TimeZone() const = 0;
  virtual int CurrentYear() const = 0;
  // Empty text when the locale has no such value.
  virtual std::string LocaleText(uint32_t localeId, uint32_t type) const = 0;
  virtual uint16_t SystemDefaultLangId() const = 0;
  // The process environment block: NUL-terminated entries, closed by an empty one.
  virtual std::u16string EnvironmentBlock() const = 0;
  // Empty when the folder cannot be found.
  virtual std::string SpecialFolderPath(int csidl) const = 0;
  virtual std::string WindowsDirectory() const = 0;
  virtual std::string SystemDirectory() const = 0;
  virtual std::string TempPath() const = 0;
  // In the 64-bit registry view on 64-bit Windows.
  virtual bool ReadRegString(RegRoot root, const std::string& path, const std::string& name,
                             std::string& text) const = 0;
  virtual std::vector<std::string> RegSubkeys(RegRoot root, const std::string& path) const = 0;
  // True for an existing file, false for folders and for anything else.
  virtual bool FileExists(const std::string& path) const = 0;
  // Number of active dial-up connections; 0 when they cannot be counted.
  virtual int DialupConnections() const = 0;

  // A value read through ReadRegString, or nothing.
  std::optional<std::string> RegText(RegRoot root, const std::string& path, const std::string& name) const {
    std::string text;
    if (!ReadRegString(root, path, name, text)) return std::nullopt;
    return text;
  }
};

}  // namespace vsm
