#pragma once
// Opening addresses in the shell: the program's own pages, and pages that a server names.
#include <windows.h>

#include <string>

namespace vsm {

// Opens a web address or file with the shell's "open" verb; when the shell cannot and the text
// names a web page, Internet Explorer is asked instead. Empty text does nothing.
void OpenURL(HWND owner, const std::wstring& url);

// Opens an address that came from a server, but only a plain web address (IsWebAddress): a
// server's text never makes this elevated program open a file, a share or a program. Returns
// whether it was handed to the shell.
bool OpenWebAddress(HWND owner, const std::string& url);

}  // namespace vsm
