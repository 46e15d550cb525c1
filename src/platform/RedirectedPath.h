#pragma once
// The file-system redirection of a 32-bit program on 64-bit Windows sends the Windows system
// folder to the 32-bit copies. "Sysnative" in the Windows folder names the real system folder to
// such a program without turning the redirection off for its whole thread.
#include <string>
#include <string_view>

namespace vsm {

// `path` with its "<windowsFolder>\System32" part (ignoring case) replaced by
// "<windowsFolder>\Sysnative"; any other path unchanged. windowsFolder may end in a backslash.
std::string SysnativePath(std::string_view path, std::string_view windowsFolder);

}  // namespace vsm
