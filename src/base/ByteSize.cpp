#include "base/ByteSize.h"

#include "base/DecimalText.h"

namespace vsm {

std::string FormatByteSize(int64_t bytes, std::string_view decimalSeparator) {
  static constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB"};
  if (bytes < 0) return "-";
  double value = static_cast<double>(bytes) / 1024;
  int unit = 0;
  while (unit < 3 && value >= 1024) {
    value /= 1024;
    ++unit;
  }
  // Values just below the next unit move up, so 1010 KB reads 0.99 MB.
  if (value > 1000 && unit < 3) {
    value /= 1024;
    ++unit;
  }
  return FormatDecimal(value, value < 100 ? 2 : 1, decimalSeparator) + " " + kUnits[unit];
}

}  // namespace vsm
