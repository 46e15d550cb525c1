#include "base/ByteSize_win.h"

#include <windows.h>

#include "base/wide_win.h"

namespace vsm {

const std::string& UserDecimalSeparator() {
  static const std::string separator = [] {
    wchar_t buffer[8] = {};
    int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8);
    if (length <= 1) return std::string(".");
    return Narrow(std::wstring_view(buffer, static_cast<size_t>(length - 1)));
  }();
  return separator;
}

std::string FormatByteSize(int64_t bytes) { return FormatByteSize(bytes, UserDecimalSeparator()); }

}  // namespace vsm
