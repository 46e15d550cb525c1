#include "pages/PageTexts.h"

#include "base/ByteSize.h"
#include "base/Temperature.h"
#include "base/text.h"

namespace vsm {

std::string TPageTexts::Caption(const std::string& key, const std::string& builtIn) const {
  return translate ? translate(key, builtIn) : builtIn;
}

std::string TPageTexts::ByteSize(int64_t bytes) const {
  return byteSize ? byteSize(bytes) : FormatByteSize(bytes, ".");
}

std::string TPageTexts::Temperature(double celsius) const {
  return temperature ? temperature(celsius) : FormatTemperature(celsius, TTempScale::Celsius);
}

std::string TPageTexts::ShortDate(TDateTime date) const {
  if (shortDate) return shortDate(date);
  const CalendarDate day = DecodeDate(date);
  return Format("%04d-%02d-%02d", day.year, day.month, day.day);
}

std::string FigureText(int64_t value, const char* unit) {
  return value == 0 ? std::string("-") : std::to_string(value) + unit;
}

}  // namespace vsm
