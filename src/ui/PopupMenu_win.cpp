#include "ui/PopupMenu_win.h"

#include <algorithm>

#include "ui/Dpi_win.h"
#include "ui/Theme_win.h"

namespace vsm {

namespace {

constexpr UINT kFirstCommand = 1;
// The menu that is up over a window, kept on the window while TrackPopupMenu runs.
constexpr wchar_t kOpenMenuProperty[] = L"VsmOpenMenu";

// Makes `menu` the one up over `owner` for its lifetime, and the previous one again after it.
class TOpenMenu {
 public:
  TOpenMenu(HWND owner, TVeskPopupMenu* menu) : owner_(owner), previous_(GetPropW(owner, kOpenMenuProperty)) {
    SetPropW(owner, kOpenMenuProperty, menu);
  }
  ~TOpenMenu() {
    if (previous_ != nullptr) {
      SetPropW(owner_, kOpenMenuProperty, previous_);
    } else {
      RemovePropW(owner_, kOpenMenuProperty);
    }
  }
  TOpenMenu(const TOpenMenu&) = delete;
  TOpenMenu& operator=(const TOpenMenu&) = delete;

 private:
  HWND owner_;
  HANDLE previous_;
};

void DrawCheckMark(HDC dc, const RECT& item, COLORREF colour, TDpiScale scale) {
  int cx = item.left + scale(12);
  int cy = (item.top + item.bottom) / 2;
  TPenHandle pen(CreatePen(PS_SOLID, scale(2), colour));
  TSelectObject selected(dc, pen.Get());
  MoveToEx(dc, cx - scale(4), cy, nullptr);
  LineTo(dc, cx - scale(1), cy + scale(3));
  LineTo(dc, cx + scale(5), cy - scale(4));
}

}  // namespace

void TVeskPopupMenu::SetFont(const LOGFONTW& font) { font_.Reset(CreateFontIndirectW(&font)); }

HMENU TVeskPopupMenu::BuildMenu(std::vector<TMenuItemInfo*>& commands) {
  HMENU menu = CreatePopupMenu();
  for (auto& item : items_) {
    // The item itself is the owner-draw data, so a submenu's items are found the same way.
    auto data = reinterpret_cast<LPCWSTR>(&item);
    UINT flags = MF_OWNERDRAW | (item.IsSeparator() || !item.enabled ? MF_DISABLED : 0u);
    if (item.submenu != nullptr && !item.IsSeparator()) {
      AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(item.submenu->BuildMenu(commands)),
                  data);
    } else {
      commands.push_back(&item);
      AppendMenuW(menu, flags, kFirstCommand + commands.size() - 1, data);
    }
  }
  return menu;
}

TMenuItemInfo* TVeskPopupMenu::FindItem(ULONG_PTR data) {
  for (auto& item : items_) {
    if (reinterpret_cast<ULONG_PTR>(&item) == data) return &item;
    if (item.submenu != nullptr) {
      if (TMenuItemInfo* found = item.submenu->FindItem(data)) return found;
    }
  }
  return nullptr;
}

TMenuItemInfo* TVeskPopupMenu::PopupItem(HWND owner, int x, int y) {
  scale_ = {DpiForPoint(POINT{x, y})};
  std::vector<TMenuItemInfo*> commands;
  HMENU menu = BuildMenu(commands);
  // A menu popped up for a notification-area icon closes properly only when its owner is the
  // foreground window. An owner that is already there is left alone: asking again makes Wine
  // move the focus and cancel the menu.
  if (GetForegroundWindow() != owner) SetForegroundWindow(owner);
  UINT command = 0;
  {
    TOpenMenu open(owner, this);
    command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr));
  }
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);  // submenus go with it
  if (command < kFirstCommand || command >= kFirstCommand + commands.size()) return nullptr;
  return commands[command - kFirstCommand];
}

int TVeskPopupMenu::Popup(HWND owner, int x, int y) {
  TMenuItemInfo* chosen = PopupItem(owner, x, y);
  return chosen != nullptr ? static_cast<int>(chosen - items_.data()) : -1;
}

bool OwnerDrawOpenMenu(HWND window, UINT message, LPARAM lParam) {
  auto* menu = static_cast<TVeskPopupMenu*>(GetPropW(window, kOpenMenuProperty));
  return menu != nullptr && menu->OwnerDraw(message, lParam);
}

bool TVeskPopupMenu::OwnerDraw(UINT message, LPARAM lParam) {
  if (message == WM_MEASUREITEM) return MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
  if (message == WM_DRAWITEM) return DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  return false;
}

bool TVeskPopupMenu::MeasureItem(MEASUREITEMSTRUCT& measure) {
  if (measure.CtlType != ODT_MENU) return false;
  const TMenuItemInfo* found = FindItem(measure.itemData);
  if (found == nullptr) return false;
  const TMenuItemInfo& item = *found;
  if (item.IsSeparator()) {
    measure.itemHeight = static_cast<UINT>(scale_(Theme().metrics.menuSeparatorHeight));
    measure.itemWidth = static_cast<UINT>(scale_(minWidth_));
    return true;
  }
  TWindowDC screen(nullptr);
  TSelectObject selected(screen.Get(), font_.Get());
  SIZE size{};
  const std::wstring text = item.shortcut.empty() ? item.caption : item.caption + L"    " + item.shortcut;
  GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  measure.itemHeight = static_cast<UINT>(scale_(itemHeight_));
  measure.itemWidth = static_cast<UINT>(std::max(
      scale_(minWidth_),
      static_cast<int>(size.cx) + scale_(Theme().metrics.menuTextIndent + Theme().metrics.menuRightPadding)));
  return true;
}

bool TVeskPopupMenu::DrawItem(const DRAWITEMSTRUCT& draw) {
  if (draw.CtlType != ODT_MENU) return false;
  const TMenuItemInfo* found = FindItem(draw.itemData);
  if (found == nullptr) return false;
  const TMenuItemInfo& item = *found;
  HDC dc = draw.hDC;
  RECT rect = draw.rcItem;
  if (item.IsSeparator()) {
    FillColour(dc, rect, Theme().colours.menuBackground);
    RECT line{rect.left + 4, (rect.top + rect.bottom) / 2, rect.right - 4, (rect.top + rect.bottom) / 2 + 1};
    FillColour(dc, line, Theme().colours.menuSeparator);
    return true;
  }
  bool hot = (draw.itemState & ODS_SELECTED) != 0 && item.enabled;
  const TThemeColours& colours = Theme().colours;
  FillColour(dc, rect, hot ? colours.accent : colours.menuBackground);
  COLORREF text = ToColorRef(hot ? colours.accentText : (item.enabled ? colours.menuText : colours.border));
  if (item.checked && item.radio) {
    TBrushHandle dot(CreateSolidBrush(text));
    TSelectObject brush(dc, dot.Get());
    TSelectObject pen(dc, GetStockObject(NULL_PEN));
    const int cy = (rect.top + rect.bottom) / 2;
    Ellipse(dc, rect.left + scale_(9), cy - scale_(3), rect.left + scale_(16), cy + scale_(4));
  } else if (item.checked) {
    DrawCheckMark(dc, rect, text, scale_);
  }
  TSelectObject selected(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text);
  RECT textRect{rect.left + scale_(Theme().metrics.menuTextIndent), rect.top, rect.right - 4, rect.bottom};
  DrawTextW(dc, item.caption.c_str(), static_cast<int>(item.caption.size()), &textRect,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  if (!item.shortcut.empty()) {
    RECT shortcutRect{textRect.left, rect.top, rect.right - scale_(Theme().metrics.menuRightPadding),
                      rect.bottom};
    DrawTextW(dc, item.shortcut.c_str(), static_cast<int>(item.shortcut.size()), &shortcutRect,
              DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
  }
  return true;
}

}  // namespace vsm
