#pragma once
// Numbers with a fixed count of decimals, written with the decimal separator the caller passes:
// on Windows the user's (UserDecimalSeparator in ByteSize_win.h), so that every figure on screen
// uses the same one.
#include <string>
#include <string_view>

namespace vsm {

std::string FormatDecimal(double value, int decimals, std::string_view decimalSeparator);

}  // namespace vsm
