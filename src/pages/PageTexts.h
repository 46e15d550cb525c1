#pragma once
// How the information pages turn values into text: captions through the translation lookup
// (section "Translation", key, built-in text), byte sizes, temperatures and dates. The program
// passes its own (PageTexts_win.h); a default-made TPageTexts gives the built-in rules: built-in
// captions, "." as the decimal separator, degrees Celsius, dates as yyyy-mm-dd.
#include <cstdint>
#include <functional>
#include <string>

#include "base/date_time.h"

namespace vsm {

struct TPageTexts {
  std::function<std::string(const std::string& key, const std::string& builtIn)> translate;
  std::function<std::string(int64_t bytes)> byteSize;
  // Asked on every draw of a live row, so a change of the unit shows at once.
  std::function<std::string(double celsius)> temperature;
  std::function<std::string(TDateTime date)> shortDate;

  // Each falls back to the built-in rule when its function is not set.
  std::string Caption(const std::string& key, const std::string& builtIn) const;
  std::string ByteSize(int64_t bytes) const;
  std::string Temperature(double celsius) const;
  std::string ShortDate(TDateTime date) const;
};

// A whole figure followed by its unit (" MHz"), or "-" for 0, which every source here uses for a
// figure it does not know.
std::string FigureText(int64_t value, const char* unit);

}  // namespace vsm
