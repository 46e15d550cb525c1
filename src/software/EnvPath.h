#pragma once
// Expansion of environment names in a path, given the environment block as text. The Windows
// shell (EnvPath_win.h) supplies the process's own block.
#include <string>
#include <string_view>

namespace vsm {

// Of the block only this many characters are looked at.
inline constexpr size_t kEnvironmentBlockLimit = 4096;
// Of the text after a replaced name only this many characters are kept.
inline constexpr size_t kTextKeptAfterName = 1024;

// `block` holds "name=value" lines separated by NUL characters; an empty line ends it. For each
// line in order, the first "%name%" in the text (ignoring case) becomes the value; with
// `expandBackslashNames`, a first "\name" does when no "%name%" occurs ("\SystemRoot\..." gets the
// Windows folder).
std::string ExpandEnvPath(std::string_view text, bool expandBackslashNames, std::string_view block);

}  // namespace vsm
