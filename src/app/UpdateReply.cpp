#include "app/UpdateReply.h"

#include "base/json_reply.h"
#include "base/text.h"

namespace vsm {

std::optional<TUpdateReply> ParseUpdateReply(std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (text.find("Malwarebytes") != std::string_view::npos) {
    TUpdateReply blocked;
    blocked.downloadUrl = "Malwarebytes";
    return blocked;
  }
  const auto object = ParseJsonObject(text);
  if (!object) return std::nullopt;
  const auto stopped = JsonInt32Member(*object, "stopped");
  if (!stopped) return std::nullopt;
  TUpdateReply reply;
  if (*stopped == 0) {
    reply.build = JsonInt32Member(*object, "build");
    if (!reply.build) return std::nullopt;
  }
  // Absent texts are empty; present ones must be strings.
  const auto text_member = [&](const char* key, std::string& into) {
    if (!object->contains(key)) return true;
    auto value = JsonStringMember(*object, key);
    if (!value) return false;
    into = std::move(*value);
    return true;
  };
  std::string notes;
  if (!text_member("blog_url", reply.blogUrl) || !text_member("url", reply.downloadUrl) ||
      !text_member("update_info", notes)) {
    return std::nullopt;
  }
  reply.verInfo = SplitLines(notes);
  return reply;
}

}  // namespace vsm
