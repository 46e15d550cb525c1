#include "services/OpenURL.h"

#include "base/text.h"

namespace vsm {

bool UrlWorthOpening(const std::string& text) { return !Trim(text).empty(); }

bool UrlNeedsBrowserFallback(const std::string& text) {
  return AsciiLower(text).find("http") != std::string::npos;
}

}  // namespace vsm
