#pragma once
// The update server's reply and what the update check makes of it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vsm {

// Product number of the update query ("p_id").
inline constexpr int kUpdateProductId = 16;

// What a reply changes in the check's fields. `build` is set only when the reply declares its
// build valid ("stopped" = 0).
struct TUpdateReply {
  std::optional<int32_t> build;
  std::string blogUrl;
  std::string downloadUrl;
  std::vector<std::string> verInfo;
};

// Nothing when the reply changes nothing: empty, not a JSON object, without an integer
// "stopped", or with a member of the wrong type ("build" as text, a build beyond 32 bits).
// A page that mentions "Malwarebytes" (a filter's block page) gives only that word as the
// download address.
std::optional<TUpdateReply> ParseUpdateReply(std::string_view text);

// An update is offered only for a build above the running one.
inline bool IsUpdateOffered(int32_t runningBuild, int32_t reportedBuild) {
  return runningBuild < reportedBuild;
}

}  // namespace vsm
