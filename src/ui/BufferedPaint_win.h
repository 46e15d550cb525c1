#pragma once
// WM_PAINT through a memory bitmap of the client area, so a window that repaints every second
// does not flicker.
#include <windows.h>

#include <functional>

namespace vsm {

// Answers WM_PAINT: `paint` draws the whole client area into the buffer, which is then copied.
void PaintBuffered(HWND window, const std::function<void(HDC dc)>& paint);

}  // namespace vsm
