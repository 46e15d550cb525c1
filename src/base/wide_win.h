#pragma once
// Conversions between the core's UTF-8 text and the wide strings of the Windows API.
#include <string>
#include <string_view>

namespace vsm {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);
// A fixed-size UTF-16 field of an API record, which need not be terminated.
std::string NarrowField(const wchar_t* field, size_t size);
// Text in the system's ANSI code page, as the "A" functions give it, to UTF-8.
std::string AnsiToUtf8(std::string_view text);

}  // namespace vsm
