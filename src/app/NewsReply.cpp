#include "app/NewsReply.h"

#include <optional>

#include "base/json_reply.h"
#include "base/text.h"

namespace vsm {

namespace {

enum class Entry { kKeep, kSkip, kMalformed };

// Reads one entry of "news"; kMalformed when a member has the wrong type.
Entry ReadEntry(const nlohmann::json& entry, const TNewsFilter& filter, TDateTime serverTime,
                TNewsInfo& news) {
  if (!entry.is_object()) return Entry::kMalformed;
  const auto id = JsonInt32Member(entry, "id");
  const auto type = JsonInt32Member(entry, "type");
  if (!id || !type) return Entry::kMalformed;
  const auto optional_text = [&](const char* key, std::string& into) {
    if (!entry.contains(key)) return true;
    auto value = JsonStringMember(entry, key);
    if (value) into = std::move(*value);
    return value.has_value();
  };
  const auto optional_int = [&](const char* key, int32_t& into) {
    if (!entry.contains(key)) return true;
    auto value = JsonInt32Member(entry, key);
    if (value) into = *value;
    return value.has_value();
  };
  std::string expired;
  news.id = *id;
  news.mtype = *type;
  if (!optional_text("expired", expired) || !optional_text("lang", news.langcode) ||
      !optional_text("title", news.title) || !optional_text("url", news.url) ||
      !optional_int("FormWidth", news.width) || !optional_int("FormHeight", news.height) ||
      !optional_int("color", news.color)) {
    return Entry::kMalformed;
  }
  if (IsMessageRead(filter.readIds, news.id)) return Entry::kSkip;
  const auto expiry = ParseIsoDate(expired);
  if (!expiry || serverTime > *expiry) return Entry::kSkip;
  news.expired = *expiry;
  if (!news.langcode.empty() && !IsCurrentLanguage(filter.langCodes, news.langcode)) {
    return Entry::kSkip;
  }
  if (news.mtype == 0 && filter.isPro) return Entry::kSkip;
  return Entry::kKeep;
}

}  // namespace

std::vector<TNewsInfo> ParseNewsReply(std::string_view text, const TNewsFilter& filter) {
  std::vector<TNewsInfo> kept;
  const auto object = ParseJsonObject(text);
  if (!object) return kept;
  const auto serverTimeText = JsonStringMember(*object, "servertime");
  if (!serverTimeText || serverTimeText->empty()) return kept;
  const TDateTime serverTime = ParseIsoDate(*serverTimeText).value_or(filter.localNow);
  const auto news = object->find("news");
  if (news == object->end() || !news->is_array()) return kept;
  for (const nlohmann::json& entry : *news) {
    TNewsInfo info;
    const Entry verdict = ReadEntry(entry, filter, serverTime, info);
    if (verdict == Entry::kMalformed) break;
    if (verdict == Entry::kKeep) kept.push_back(std::move(info));
  }
  return kept;
}

bool IsMessageRead(std::string_view readIds, int32_t id) {
  const std::string wanted = std::to_string(id);
  for (const std::string& item : Split(readIds, ',')) {
    if (Trim(item) == wanted) return true;
  }
  return false;
}

bool IsCurrentLanguage(std::string_view langCodes, std::string_view lang) {
  for (const std::string& code : Split(langCodes, '|')) {
    if (!code.empty() && EqualsNoCase(Trim(code), Trim(lang))) return true;
  }
  return false;
}

std::string AppendReadId(std::string_view readIds, int32_t id) {
  std::string list = std::string(readIds) + "," + std::to_string(id);
  while (list.size() > kMaxReadListLength) {
    // Drop the first item with its leading comma; the rest still starts with ",".
    const size_t next = list.find(',', 1);
    list.erase(0, next == std::string::npos ? list.size() : next);
  }
  return list;
}

}  // namespace vsm
