#pragma once
// The process environment block as "name=value" lines.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vsm {

// Each NUL-terminated entry becomes one line; the empty entry ends the block. With a limit,
// reading stops after that many characters and an entry cut short there is left out.
std::vector<std::string> ParseEnvironmentBlock(std::u16string_view block,
                                               size_t limit = std::u16string_view::npos);

}  // namespace vsm
