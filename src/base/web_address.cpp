#include "base/web_address.h"

#include "base/text.h"

namespace vsm {

bool IsWebAddress(std::string_view address) {
  for (unsigned char c : address) {
    if (c <= ' ' || c == 0x7F) return false;
  }
  for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
    if (address.size() > scheme.size() && EqualsNoCase(address.substr(0, scheme.size()), scheme)) {
      // The host may not be empty: "http:///c:/x" names no server.
      return address[scheme.size()] != '/' && address[scheme.size()] != '\\';
    }
  }
  return false;
}

}  // namespace vsm
