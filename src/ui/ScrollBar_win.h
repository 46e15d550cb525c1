#pragma once
// The vertical scroll bar of the owner-drawn lists and trees: its range for a content height and
// the position a scroll-bar message asks for.
#include <windows.h>

namespace vsm {

// Sets range and page, clamps `position` into them and returns it.
int SetVerticalScroll(HWND window, int contentHeight, int pageHeight, int position);
// The position a WM_VSCROLL asks for; `line` is one row.
int VerticalScrollTarget(HWND window, WPARAM request, int line);

}  // namespace vsm
