#include "ui/PopupMenu_win.h"

#include <algorithm>

#include "ui/Theme_win.h"

namespace vsm {

namespace {

constexpr UINT kFirstCommand = 1;

void DrawCheckMark(HDC dc, const RECT& item, COLORREF colour) {
  int cx = item.left + 12;
  int cy = (item.top + item.bottom) / 2;
  TPenHandle pen(CreatePen(PS_SOLID, 2, colour));
  TSelectObject selected(dc, pen.Get());
  MoveToEx(dc, cx - 4, cy, nullptr);
  LineTo(dc, cx - 1, cy + 3);
  LineTo(dc, cx + 5, cy - 4);
}

}  // namespace

void TVeskPopupMenu::SetFont(const LOGFONTW& font) { font_.Reset(CreateFontIndirectW(&font)); }

int TVeskPopupMenu::Popup(HWND owner, int x, int y) {
  HMENU menu = CreatePopupMenu();
  for (size_t i = 0; i < items_.size(); ++i) {
    UINT flags = MF_OWNERDRAW | (items_[i].IsSeparator() ? MF_DISABLED : 0u);
    AppendMenuW(menu, flags, kFirstCommand + i, reinterpret_cast<LPCWSTR>(i));
  }
  // A menu popped up for a notification-area icon closes properly only when its owner is the
  // foreground window.
  SetForegroundWindow(owner);
  UINT command = static_cast<UINT>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
  if (command < kFirstCommand || command >= kFirstCommand + items_.size()) return -1;
  return static_cast<int>(command - kFirstCommand);
}

bool TVeskPopupMenu::MeasureItem(MEASUREITEMSTRUCT& measure) {
  if (measure.CtlType != ODT_MENU || measure.itemData >= items_.size()) return false;
  const TMenuItemInfo& item = items_[measure.itemData];
  if (item.IsSeparator()) {
    measure.itemHeight = Theme().metrics.menuSeparatorHeight;
    measure.itemWidth = static_cast<UINT>(minWidth_);
    return true;
  }
  TWindowDC screen(nullptr);
  TSelectObject selected(screen.Get(), font_.Get());
  SIZE size{};
  GetTextExtentPoint32W(screen.Get(), item.caption.c_str(), static_cast<int>(item.caption.size()), &size);
  measure.itemHeight = static_cast<UINT>(itemHeight_);
  measure.itemWidth = static_cast<UINT>(
      std::max(minWidth_, static_cast<int>(size.cx) + Theme().metrics.menuTextIndent + Theme().metrics.menuRightPadding));
  return true;
}

bool TVeskPopupMenu::DrawItem(const DRAWITEMSTRUCT& draw) {
  if (draw.CtlType != ODT_MENU || draw.itemData >= items_.size()) return false;
  const TMenuItemInfo& item = items_[draw.itemData];
  HDC dc = draw.hDC;
  RECT rect = draw.rcItem;
  if (item.IsSeparator()) {
    FillColour(dc, rect, Theme().colours.menuBackground);
    RECT line{rect.left + 4, (rect.top + rect.bottom) / 2, rect.right - 4, (rect.top + rect.bottom) / 2 + 1};
    FillColour(dc, line, Theme().colours.menuSeparator);
    return true;
  }
  bool hot = (draw.itemState & ODS_SELECTED) != 0;
  const TThemeColours& colours = Theme().colours;
  FillColour(dc, rect, hot ? colours.accent : colours.menuBackground);
  COLORREF text = ToColorRef(hot ? colours.accentText : colours.menuText);
  if (item.checked) DrawCheckMark(dc, rect, text);
  TSelectObject selected(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text);
  RECT textRect{rect.left + Theme().metrics.menuTextIndent, rect.top, rect.right - 4, rect.bottom};
  DrawTextW(dc, item.caption.c_str(), static_cast<int>(item.caption.size()), &textRect,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  return true;
}

}  // namespace vsm
