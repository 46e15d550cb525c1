#pragma once
// Addresses that this elevated program hands to the shell on a server's word. Only plain web
// addresses qualify: a server's text must never make the shell open a local file, a share or a
// program.
#include <string_view>

namespace vsm {

// "http://" or "https://" (any letter case) followed by a host, with no blank or control
// character anywhere.
bool IsWebAddress(std::string_view address);

}  // namespace vsm
