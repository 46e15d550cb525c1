#pragma once
// The feedback site's list of unread answers: a JSON array of objects, each with an integer "id".
#include <cstdint>
#include <string_view>
#include <vector>

namespace vsm {

// The identifiers in order. Elements that are no object or hold no 32-bit integer "id" are left
// out; a text that is no array (or too long to be one of ours) gives none.
std::vector<int32_t> ParseUnreadIds(std::string_view text);

}  // namespace vsm
