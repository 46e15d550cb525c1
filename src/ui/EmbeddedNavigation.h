#pragma once
// What the program's embedded browser may open. It runs with this program's administrator rights,
// so it follows only web addresses of the site its window belongs to; a web address elsewhere is
// handed to the user's own browser, and anything else (files, shares, "res:", "javascript:",
// other protocols) is refused.
#include <string>
#include <string_view>

namespace vsm {

enum class TEmbeddedNavigation {
  enFollow,          // open it in the window
  enDefaultBrowser,  // cancel, and open it in the default browser
  enRefuse,          // cancel
};

// The host of a web address (IsWebAddress), lower-cased, without user name, password or port;
// empty for anything else. A backslash ends the host as a slash does, as browsers read it.
std::string WebAddressHost(std::string_view address);

// A navigation of any frame of the window to `address`, whose own pages are on `siteHost`.
TEmbeddedNavigation EmbeddedNavigation(std::string_view address, std::string_view siteHost);
// A page asking for a new window on `address`: the program opens no browser windows of its own.
TEmbeddedNavigation EmbeddedNewWindow(std::string_view address);

}  // namespace vsm
