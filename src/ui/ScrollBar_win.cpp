#include "ui/ScrollBar_win.h"

#include <algorithm>

namespace vsm {

int SetVerticalScroll(HWND window, int contentHeight, int pageHeight, int position) {
  const int page = std::max(0, pageHeight);
  position = std::clamp(position, 0, std::max(0, contentHeight - page));
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = std::max(0, contentHeight - 1);
  info.nPage = static_cast<UINT>(page);
  info.nPos = position;
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  return position;
}

int VerticalScrollTarget(HWND window, WPARAM request, int line) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(window, SB_VERT, &info);
  switch (LOWORD(request)) {
    case SB_LINEUP: return info.nPos - line;
    case SB_LINEDOWN: return info.nPos + line;
    case SB_PAGEUP: return info.nPos - static_cast<int>(info.nPage);
    case SB_PAGEDOWN: return info.nPos + static_cast<int>(info.nPage);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return info.nTrackPos;
    case SB_TOP: return 0;
    case SB_BOTTOM: return info.nMax;
    default: return info.nPos;
  }
}

}  // namespace vsm
