#include "base/DecimalText.h"

#include "base/text.h"

namespace vsm {

std::string FormatDecimal(double value, int decimals, std::string_view decimalSeparator) {
  std::string text = Format("%.*f", decimals, value);
  const size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
  return text;
}

}  // namespace vsm
