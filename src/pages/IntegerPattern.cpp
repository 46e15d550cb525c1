#include "pages/IntegerPattern.h"

#include <cctype>

#include "base/text.h"

namespace vsm {
namespace {

constexpr int kMaxWidth = 255;

// Reads decimal digits at `at`; nothing when there are none or the number is above kMaxWidth.
std::optional<int> ReadNumber(const std::string& text, size_t& at) {
  const size_t start = at;
  int number = 0;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
    number = number * 10 + (text[at] - '0');
    if (number > kMaxWidth) return std::nullopt;
    ++at;
  }
  if (at == start) return std::nullopt;
  return number;
}

// One conversion starting after its "%". An index picks the argument, and the next conversion
// without one takes the argument after it.
std::optional<std::string> Convert(const std::string& pattern, size_t& at, int value, int& nextArgument) {
  int argument = nextArgument;
  const size_t indexStart = at;
  if (std::optional<int> index = ReadNumber(pattern, at);
      index && at < pattern.size() && pattern[at] == ':') {
    argument = *index;
    ++at;
  } else {
    at = indexStart;
  }
  nextArgument = argument + 1;
  if (argument != 0) return std::nullopt;

  const bool left = at < pattern.size() && pattern[at] == '-';
  if (left) ++at;
  std::optional<int> width;
  if (at < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[at]))) {
    width = ReadNumber(pattern, at);
    if (!width) return std::nullopt;
  }
  std::optional<int> precision;
  if (at < pattern.size() && pattern[at] == '.') {
    ++at;
    precision = ReadNumber(pattern, at);
    if (!precision) return std::nullopt;
  }
  if (at >= pattern.size()) return std::nullopt;
  const char type = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[at++])));
  if (type != 'd' && type != 'u' && type != 'x') return std::nullopt;

  const int fieldWidth = width.value_or(0) * (left ? -1 : 1);
  const int digits = precision.value_or(1);
  if (type == 'd') return Format("%*.*d", fieldWidth, digits, value);
  if (type == 'u') return Format("%*.*u", fieldWidth, digits, static_cast<unsigned>(value));
  return Format("%*.*X", fieldWidth, digits, static_cast<unsigned>(value));
}

}  // namespace

std::optional<std::string> FormatWithOneInteger(const std::string& pattern, int value) {
  std::string text;
  int nextArgument = 0;
  for (size_t at = 0; at < pattern.size();) {
    const char c = pattern[at++];
    if (c != '%') {
      text += c;
      continue;
    }
    if (at < pattern.size() && pattern[at] == '%') {
      text += '%';
      ++at;
      continue;
    }
    std::optional<std::string> converted = Convert(pattern, at, value, nextArgument);
    if (!converted) return std::nullopt;
    text += *converted;
  }
  return text;
}

}  // namespace vsm
