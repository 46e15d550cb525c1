#pragma once
// Text put into WQL queries.
#include <string>
#include <string_view>

namespace vsm {

// The content of a single-quoted WQL string literal: quotes and backslashes escaped, so a value
// taken from a device can neither end the literal early nor break the query.
std::string WqlQuoted(std::string_view text);

}  // namespace vsm
