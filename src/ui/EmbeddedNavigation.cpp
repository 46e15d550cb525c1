#include "ui/EmbeddedNavigation.h"

#include "base/text.h"
#include "base/web_address.h"

namespace vsm {

std::string WebAddressHost(std::string_view address) {
  if (!IsWebAddress(address)) return {};
  std::string_view rest = address.substr(address.find("//") + 2);
  rest = rest.substr(0, rest.find_first_of("/\\?#"));
  const size_t at = rest.rfind('@');
  if (at != std::string_view::npos) rest.remove_prefix(at + 1);
  if (rest.starts_with('[')) {
    // An IPv6 literal keeps its colons.
    const size_t close = rest.find(']');
    return close == std::string_view::npos ? std::string() : AsciiLower(rest.substr(0, close + 1));
  }
  return AsciiLower(rest.substr(0, rest.find(':')));
}

TEmbeddedNavigation EmbeddedNavigation(std::string_view address, std::string_view siteHost) {
  const std::string host = WebAddressHost(address);
  if (host.empty()) return TEmbeddedNavigation::enRefuse;
  return !siteHost.empty() && EqualsNoCase(host, siteHost) ? TEmbeddedNavigation::enFollow
                                                           : TEmbeddedNavigation::enDefaultBrowser;
}

TEmbeddedNavigation EmbeddedNewWindow(std::string_view address) {
  return WebAddressHost(address).empty() ? TEmbeddedNavigation::enRefuse
                                         : TEmbeddedNavigation::enDefaultBrowser;
}

}  // namespace vsm
