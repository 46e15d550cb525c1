#include "ui/SkinButtons_win.h"

#include <windowsx.h>

#include "ui/Gdi_win.h"
#include "ui/Theme_win.h"

namespace vsm {

namespace {

constexpr COLORREF kSelectedTabText = RGB(0x38, 0x38, 0x38);

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void PaintCaptionGlyph(HDC dc, const TSkinButton& button, const RECT& r, TDpiScale scale, bool hot) {
  if (hot) FillColour(dc, r, button.kind == TSkinButtonKind::CaptionClose ? 0xFFE81123 : 0xFF1A6DCB);
  TPenHandle pen(CreatePen(PS_SOLID, scale(1) < 1 ? 1 : scale(1), RGB(255, 255, 255)));
  TSelectObject selected(dc, pen.Get());
  const int cx = (r.left + r.right) / 2;
  const int cy = (r.top + r.bottom) / 2;
  const int half = scale(5);
  if (button.kind == TSkinButtonKind::CaptionClose) {
    Line(dc, cx - half, cy - half, cx + half + 1, cy + half + 1);
    Line(dc, cx + half, cy - half, cx - half - 1, cy + half + 1);
  } else {
    for (int dy : {-4, 0, 4}) Line(dc, cx - half, cy + scale(dy), cx + half + 1, cy + scale(dy));
  }
}

void PaintTab(HDC dc, const TSkinButton& button, const RECT& r, bool hot, TDpiScale scale,
              const std::function<void(HDC, const TSkinButton&, const RECT&)>& onTabIcon) {
  if (button.selected) {
    FillColour(dc, r, 0xFFFFFFFF);
  } else if (hot) {
    FillColour(dc, r, 0xFF1A6DCB);
  }
  RECT icon{r.left + scale(5), r.top + scale(10), r.left + scale(29), r.top + scale(34)};
  if (onTabIcon) onTabIcon(dc, button, icon);
  SetTextColor(dc, button.selected ? kSelectedTabText : RGB(255, 255, 255));
  RECT text{r.left + scale(35), r.top, r.right - scale(2), r.bottom};
  DrawTextW(dc, button.caption.c_str(), static_cast<int>(button.caption.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void PaintBadgeButton(HDC dc, const TSkinButton& button, const RECT& r, bool hot, TDpiScale scale) {
  FillColour(dc, r, hot ? 0xFF2A7AD6 : 0xFF0F63C2);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT text = r;
  DrawTextW(dc, button.caption.c_str(), static_cast<int>(button.caption.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  if (button.badge) {
    TBrushHandle red(CreateSolidBrush(RGB(0xE8, 0x11, 0x23)));
    TSelectObject brush(dc, red.Get());
    TSelectObject pen(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, r.right - scale(10), r.top + scale(2), r.right - scale(2), r.top + scale(10));
  }
}

void PaintCheckBox(HDC dc, const TSkinButton& button, const RECT& r, COLORREF text, TDpiScale scale) {
  const int size = scale(13);
  const int top = (r.top + r.bottom - size) / 2;
  RECT box{r.left, top, r.left + size, top + size};
  FillColour(dc, box, Theme().colours.border);
  RECT inner{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
  FillColour(dc, inner, button.selected ? Theme().colours.accent : 0xFFFFFFFF);
  if (button.selected) {
    TPenHandle pen(CreatePen(PS_SOLID, scale(2), RGB(255, 255, 255)));
    TSelectObject selected(dc, pen.Get());
    MoveToEx(dc, box.left + scale(3), box.top + scale(6), nullptr);
    LineTo(dc, box.left + scale(5), box.top + scale(9));
    LineTo(dc, box.left + scale(10), box.top + scale(3));
  }
  SetTextColor(dc, text);
  RECT caption{box.right + scale(6), r.top, r.right, r.bottom};
  DrawTextW(dc, button.caption.c_str(), static_cast<int>(button.caption.size()), &caption,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

void PaintSection(HDC dc, const TSkinButton& button, const RECT& r, bool hot, COLORREF text,
                  TDpiScale scale) {
  if (button.selected) {
    FillColour(dc, r, Theme().colours.accent);
  } else if (hot) {
    FillColour(dc, r, 0xFFEAF4FB);
  }
  SetTextColor(dc, button.selected ? RGB(255, 255, 255) : text);
  RECT caption{r.left + scale(16), r.top, r.right - scale(4), r.bottom};
  DrawTextW(dc, button.caption.c_str(), static_cast<int>(button.caption.size()), &caption,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

RECT ScaleRect(const RECT& rect, TDpiScale scale) {
  return {scale(rect.left), scale(rect.top), scale(rect.right), scale(rect.bottom)};
}

TSkinButton* TSkinButtonSet::Find(int id) {
  for (auto& button : FButtons) {
    if (button.id == id) return &button;
  }
  return nullptr;
}

TSkinButton* TSkinButtonSet::At(POINT point, TDpiScale scale) {
  for (auto& button : FButtons) {
    RECT r = ScaleRect(button.bounds, scale);
    if (PtInRect(&r, point)) return &button;
  }
  return nullptr;
}

bool TSkinButtonSet::MouseMove(HWND window, POINT point, TDpiScale scale) {
  TSkinButton* button = At(point, scale);
  const int hot = button != nullptr ? button->id : 0;
  if (hot == FHot) return false;
  FHot = hot;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
  TrackMouseEvent(&track);
  return true;
}

bool TSkinButtonSet::MouseLeave() {
  const bool changed = FHot != 0;
  FHot = 0;
  return changed;
}

bool TSkinButtonSet::MouseDown(POINT point, TDpiScale scale) {
  TSkinButton* button = At(point, scale);
  FPressed = button != nullptr ? button->id : 0;
  return FPressed != 0;
}

int TSkinButtonSet::MouseUp(POINT point, TDpiScale scale) {
  TSkinButton* button = At(point, scale);
  const int pressed = FPressed;
  FPressed = 0;
  return button != nullptr && button->id == pressed ? pressed : 0;
}

int TSkinButtonSet::HandleMouse(HWND window, TDpiScale scale, UINT message, LPARAM lParam) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  bool repaint = false;
  int clicked = 0;
  switch (message) {
    case WM_MOUSEMOVE: repaint = MouseMove(window, point, scale); break;
    case WM_MOUSELEAVE: repaint = MouseLeave(); break;
    case WM_LBUTTONDOWN:
      if (MouseDown(point, scale)) SetCapture(window);
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == window) ReleaseCapture();
      clicked = MouseUp(point, scale);
      break;
    default: break;
  }
  if (repaint) InvalidateRect(window, nullptr, FALSE);
  return clicked;
}

void TSkinButtonSet::Paint(HDC dc, TDpiScale scale, HFONT font, COLORREF text,
                           const std::function<void(HDC, const TSkinButton&, const RECT&)>& onTabIcon) const {
  TSelectObject selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  for (const auto& button : FButtons) {
    const RECT r = ScaleRect(button.bounds, scale);
    const bool hot = button.id == FHot;
    switch (button.kind) {
      case TSkinButtonKind::CaptionMenu:
      case TSkinButtonKind::CaptionClose: PaintCaptionGlyph(dc, button, r, scale, hot); break;
      case TSkinButtonKind::Tab: PaintTab(dc, button, r, hot, scale, onTabIcon); break;
      case TSkinButtonKind::Badge: PaintBadgeButton(dc, button, r, hot, scale); break;
      case TSkinButtonKind::CheckBox: PaintCheckBox(dc, button, r, text, scale); break;
      case TSkinButtonKind::Section: PaintSection(dc, button, r, hot, text, scale); break;
    }
  }
}

LRESULT TSkinButtonSet::CaptionHitTest(HWND window, LPARAM lParam, TDpiScale scale, int captionHeight) {
  POINT client{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ScreenToClient(window, &client);
  return client.y < scale(captionHeight) && At(client, scale) == nullptr ? HTCAPTION : HTCLIENT;
}

}  // namespace vsm
