#include "base/wide_win.h"

#include <windows.h>

#include "base/text.h"

namespace vsm {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

std::wstring Widen(std::string_view text) {
  std::u16string units = Utf8ToUtf16(text);
  return std::wstring(units.begin(), units.end());
}

std::string Narrow(std::wstring_view text) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

std::string NarrowField(const wchar_t* field, size_t size) {
  size_t length = 0;
  while (length < size && field[length] != L'\0') ++length;
  return Narrow(std::wstring_view(field, length));
}

std::string AnsiToUtf8(std::string_view text) {
  if (text.empty()) return {};
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return Narrow(wide);
}

}  // namespace vsm
