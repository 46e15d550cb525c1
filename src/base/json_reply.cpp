#include "base/json_reply.h"

namespace vsm {

namespace {

nlohmann::json ParseReply(std::string_view text) {
  if (text.empty() || text.size() > kMaxJsonReplyBytes) return nlohmann::json::value_t::discarded;
  return nlohmann::json::parse(text, nullptr, /*allow_exceptions=*/false);
}

}  // namespace

std::optional<nlohmann::json> ParseJsonObject(std::string_view text) {
  nlohmann::json parsed = ParseReply(text);
  if (!parsed.is_object()) return std::nullopt;
  return parsed;
}

std::optional<nlohmann::json> ParseJsonArray(std::string_view text) {
  nlohmann::json parsed = ParseReply(text);
  if (!parsed.is_array()) return std::nullopt;
  return parsed;
}

std::optional<int32_t> JsonInt32Member(const nlohmann::json& object, const char* key) {
  const auto member = object.find(key);
  if (member == object.end()) return std::nullopt;
  if (member->is_number_unsigned()) {
    const auto value = member->get<uint64_t>();
    if (value > static_cast<uint64_t>(INT32_MAX)) return std::nullopt;
    return static_cast<int32_t>(value);
  }
  if (member->is_number_integer()) {
    const auto value = member->get<int64_t>();
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(value);
  }
  return std::nullopt;
}

std::optional<std::string> JsonStringMember(const nlohmann::json& object, const char* key) {
  const auto member = object.find(key);
  if (member == object.end() || !member->is_string()) return std::nullopt;
  return member->get<std::string>();
}

}  // namespace vsm
