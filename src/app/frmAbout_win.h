#pragma once
// The about box: the program's name, version and home page, modal to its owner.
#include <windows.h>

namespace vsm {

// Shows the box over `owner` and returns when it is closed.
void ShowAboutBox(HWND owner);

}  // namespace vsm
