#include "sysinfo/os/Environment.h"

#include "base/text.h"

namespace vsm {

std::vector<std::string> ParseEnvironmentBlock(std::u16string_view block, size_t limit) {
  std::vector<std::string> lines;
  std::u16string_view rest = block.substr(0, limit);
  for (;;) {
    size_t end = rest.find(u'\0');
    if (end == 0 || end == std::u16string_view::npos) return lines;
    lines.push_back(Utf16ToUtf8(rest.substr(0, end)));
    rest.remove_prefix(end + 1);
  }
}

}  // namespace vsm
