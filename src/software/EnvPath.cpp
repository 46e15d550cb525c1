#include "software/EnvPath.h"

#include "base/text.h"

namespace vsm {

namespace {

size_t FindNoCase(std::string_view haystack, std::string_view needle) {
  if (needle.empty() || needle.size() > haystack.size()) return std::string_view::npos;
  for (size_t at = 0; at + needle.size() <= haystack.size(); ++at) {
    if (EqualsNoCase(haystack.substr(at, needle.size()), needle)) return at;
  }
  return std::string_view::npos;
}

// The first `limit` characters of UTF-8 text, never cutting a character in two.
std::string_view KeepCharacters(std::string_view text, size_t limit) {
  size_t characters = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    bool starts = (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
    if (starts && characters++ == limit) return text.substr(0, at);
  }
  return text;
}

// Replaces the first occurrence of prefix + name + suffix.
bool ReplaceFirst(std::string& text, std::string_view prefix, std::string_view name, std::string_view suffix,
                  std::string_view value) {
  std::string pattern;
  pattern.append(prefix).append(name).append(suffix);
  size_t at = FindNoCase(text, pattern);
  if (at == std::string_view::npos) return false;
  std::string_view after =
      KeepCharacters(std::string_view(text).substr(at + pattern.size()), kTextKeptAfterName);
  std::string replaced;
  replaced.append(text, 0, at).append(value).append(after);
  text = std::move(replaced);
  return true;
}

}  // namespace

std::string ExpandEnvPath(std::string_view text, bool expandBackslashNames, std::string_view block) {
  std::string result(text);
  block = KeepCharacters(block, kEnvironmentBlockLimit);
  size_t from = 0;
  while (from < block.size()) {
    size_t end = block.find('\0', from);
    if (end == std::string_view::npos) end = block.size();
    std::string_view line = block.substr(from, end - from);
    if (line.empty()) break;
    from = end + 1;
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    std::string_view name = line.substr(0, equals);
    std::string_view value = line.substr(equals + 1);
    if (Trim(name).empty()) continue;
    if (!ReplaceFirst(result, "%", name, "%", value) && expandBackslashNames) {
      ReplaceFirst(result, "\\", name, "", value);
    }
  }
  return result;
}

}  // namespace vsm
