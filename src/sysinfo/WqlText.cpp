#include "sysinfo/WqlText.h"

namespace vsm {

std::string WqlQuoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size());
  for (char c : text) {
    if (c == '\'' || c == '\\') quoted.push_back('\\');
    quoted.push_back(c);
  }
  return quoted;
}

}  // namespace vsm
