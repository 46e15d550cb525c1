#include "base/IniDocument.h"

#include "base/text.h"

namespace vsm {

TIniDocument TIniDocument::Parse(std::string_view text) {
  TIniDocument document;
  std::map<std::string, std::string>* section = nullptr;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      section = close == std::string::npos ? nullptr
                                           : &document.sections_[AsciiLower(Trim(line.substr(1, close - 1)))];
      continue;
    }
    const size_t equals = line.find('=');
    if (section == nullptr || equals == std::string::npos) continue;
    section->emplace(AsciiLower(Trim(line.substr(0, equals))), Trim(line.substr(equals + 1)));
  }
  return document;
}

std::string TIniDocument::Read(std::string_view section, std::string_view key) const {
  const auto found = sections_.find(AsciiLower(section));
  if (found == sections_.end()) return {};
  const auto value = found->second.find(AsciiLower(key));
  return value == found->second.end() ? std::string() : value->second;
}

}  // namespace vsm
