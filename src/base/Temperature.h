#pragma once
// The program's one text for a temperature. Temperatures are kept in degrees Celsius everywhere;
// only this text converts them to the user's unit.
#include <string>

namespace vsm {

enum class TTempScale { Celsius, Fahrenheit };

// The scale of the "TempUnit" setting: "F" means Fahrenheit, anything else Celsius.
TTempScale TempScaleOf(const std::string& tempUnit);

// "%.0f°C" or "%.0f°F"; "-" for exactly 0, which means "no reading".
std::string FormatTemperature(double celsius, TTempScale scale);

}  // namespace vsm
