#pragma once
// The rules of opening an address in the shell.
#include <string>

namespace vsm {

// OpenURL: an empty (after trimming) text opens nothing; a text the shell refused is handed to
// the browser program when it holds "http" in any case.
bool UrlWorthOpening(const std::string& text);
bool UrlNeedsBrowserFallback(const std::string& text);

}  // namespace vsm
