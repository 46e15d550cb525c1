#pragma once
// FormatByteSize with the decimal separator of the user's locale.
#include <cstdint>
#include <string>

#include "base/ByteSize.h"

namespace vsm {

std::string FormatByteSize(int64_t bytes);
// The user's decimal separator ("." when the locale cannot be read), read once.
const std::string& UserDecimalSeparator();

}  // namespace vsm
