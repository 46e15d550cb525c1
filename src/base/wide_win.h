#pragma once
// Conversions between the core's UTF-8 text and the wide strings of the Windows API.
#include <string>
#include <string_view>

namespace vsm {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace vsm
