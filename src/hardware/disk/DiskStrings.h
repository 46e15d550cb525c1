#pragma once
// Text fields of drive answers: fixed-width, padded with blanks or NULs.
#include <string>
#include <string_view>

#include "base/le_bytes.h"

namespace vsm {

// Drops characters at or below blank (padding, NULs, control bytes) from both ends.
std::string TrimBlanks(std::string_view text);

// The NUL-terminated string at `offset` of an answer, cut at the answer's end; empty when the
// offset lies outside.
std::string StringAt(ByteView answer, size_t offset);

}  // namespace vsm
