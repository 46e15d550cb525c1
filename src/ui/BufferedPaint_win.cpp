#include "ui/BufferedPaint_win.h"

#include <algorithm>

#include "ui/Gdi_win.h"

namespace vsm {

void PaintBuffered(HWND window, const std::function<void(HDC dc)>& paint) {
  TPaintDC target(window);
  RECT client{};
  GetClientRect(window, &client);
  HDC memory = CreateCompatibleDC(target.Get());
  {
    TBitmapHandle bitmap(
        CreateCompatibleBitmap(target.Get(), std::max(1L, client.right), std::max(1L, client.bottom)));
    TSelectObject selected(memory, bitmap.Get());
    paint(memory);
    BitBlt(target.Get(), 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  }
  DeleteDC(memory);
}

}  // namespace vsm
