#pragma once
// Reading the JSON replies of the program's servers defensively: a reply is accepted only as the
// expected object or array, members are taken only with the expected type and range, and
// anything else reads as absent, so a server's mistake can never throw or overflow.
#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vsm {

// No reply of ours comes near this; a longer text is refused unparsed.
inline constexpr size_t kMaxJsonReplyBytes = 1 << 20;

// The reply as a JSON object; nothing for an empty, oversized or malformed text, or JSON that is
// not an object.
std::optional<nlohmann::json> ParseJsonObject(std::string_view text);
// The same for a reply that is a JSON array.
std::optional<nlohmann::json> ParseJsonArray(std::string_view text);

// A member that is an integer within the 32-bit signed range.
std::optional<int32_t> JsonInt32Member(const nlohmann::json& object, const char* key);
// A member that is a string.
std::optional<std::string> JsonStringMember(const nlohmann::json& object, const char* key);

}  // namespace vsm
