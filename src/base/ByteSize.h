#pragma once
// The program's one text for a byte count: kilobytes and up, two decimals below 100, one from 100.
// A rate is this text followed by "/s" (the caller appends it).
#include <cstdint>
#include <string>
#include <string_view>

namespace vsm {

// "-" for a negative count. The decimal separator is the caller's (the user's locale on Windows,
// see ByteSize_win.h).
std::string FormatByteSize(int64_t bytes, std::string_view decimalSeparator);

}  // namespace vsm
