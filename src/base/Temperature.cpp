#include "base/Temperature.h"

#include "base/text.h"

namespace vsm {

TTempScale TempScaleOf(const std::string& tempUnit) {
  return tempUnit == "F" ? TTempScale::Fahrenheit : TTempScale::Celsius;
}

std::string FormatTemperature(double celsius, TTempScale scale) {
  if (celsius == 0) return "-";
  if (scale == TTempScale::Fahrenheit) return Format("%.0f\u00B0F", celsius * 9 / 5 + 32);
  return Format("%.0f\u00B0C", celsius);
}

}  // namespace vsm
