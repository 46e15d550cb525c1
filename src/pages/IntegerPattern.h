#pragma once
// Formats a translated pattern that should take one integer, such as "Core %d temperature".
// Translations are data, not code: the pattern is checked before it is used, never handed to
// printf as it stands.
#include <optional>
#include <string>

namespace vsm {

// The pattern with every integer conversion (%d, %u, %x with optional "0:" index, "-", width and
// precision, as in "Core %0:2d") replaced by `value` and "%%" by "%". Nothing when the pattern is
// no valid format for one integer: another conversion ("%s"), a second argument, a lone "%" at
// the end, or a width or precision above 255. A pattern without any conversion is valid.
std::optional<std::string> FormatWithOneInteger(const std::string& pattern, int value);

}  // namespace vsm
