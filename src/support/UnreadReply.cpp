#include "support/UnreadReply.h"

#include "base/json_reply.h"

namespace vsm {

std::vector<int32_t> ParseUnreadIds(std::string_view text) {
  std::vector<int32_t> ids;
  const std::optional<nlohmann::json> list = ParseJsonArray(text);
  if (!list) return ids;
  for (const nlohmann::json& element : *list) {
    if (!element.is_object()) continue;
    if (const auto id = JsonInt32Member(element, "id")) ids.push_back(*id);
  }
  return ids;
}

}  // namespace vsm
