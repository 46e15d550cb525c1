#include "base/ByteSize.h"

#include "base/text.h"

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
  std::string text = Format(value < 100 ? "%.2f %s" : "%.1f %s", value, kUnits[unit]);
  size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
  return text;
}

}  // namespace vsm
