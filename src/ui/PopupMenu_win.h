#pragma once
// The skinned popup menu every menu of the program is built from: owner-drawn items with a fixed
// height and a minimum width, each item carrying the tag its click dispatches on.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/DpiScale.h"
#include "ui/Gdi_win.h"

namespace vsm {

class TVeskPopupMenu;

struct TMenuItemInfo {
  TMenuItemInfo(std::wstring caption = {}, int tag = 0, bool checked = false)
      : caption(std::move(caption)), tag(tag), checked(checked) {}

  std::wstring caption;  // "-" is a separator
  int tag = 0;
  bool checked = false;
  bool enabled = true;
  bool radio = false;                 // drawn with a dot instead of a tick when checked
  std::wstring shortcut;              // shown right-aligned, e.g. "F1"
  std::wstring hint;                  // not shown; what the item stands for (a language's file name)
  TVeskPopupMenu* submenu = nullptr;  // not owned; opens beside the item
  bool IsSeparator() const { return caption == L"-"; }
};

class TVeskPopupMenu {
 public:
  TVeskPopupMenu(int itemHeight, int minWidth) : itemHeight_(itemHeight), minWidth_(minWidth) {}
  TVeskPopupMenu(const TVeskPopupMenu&) = delete;
  TVeskPopupMenu& operator=(const TVeskPopupMenu&) = delete;

  void Clear() { items_.clear(); }
  void Add(TMenuItemInfo item) { items_.push_back(std::move(item)); }
  std::vector<TMenuItemInfo>& Items() { return items_; }
  void SetFont(const LOGFONTW& font);

  // Shows the menu at a screen position, owned by `owner`, and waits for the choice. Returns the
  // index of the chosen item, or -1 when the menu was dismissed. Sizes follow the DPI there.
  int Popup(HWND owner, int x, int y);
  // The same for menus with submenus: the chosen item at any level, or null.
  TMenuItemInfo* PopupItem(HWND owner, int x, int y);

  // WM_MEASUREITEM or WM_DRAWITEM as the owner window receives them; true when handled. While
  // the menu is up the owner's window procedure (InstanceWindowProc) hands them over by itself.
  bool OwnerDraw(UINT message, LPARAM lParam);

 private:
  bool MeasureItem(MEASUREITEMSTRUCT& measure);
  bool DrawItem(const DRAWITEMSTRUCT& draw);
  HMENU BuildMenu(std::vector<TMenuItemInfo*>& commands);
  // The item an owner-draw message is about, in this menu or a submenu; null for others.
  TMenuItemInfo* FindItem(ULONG_PTR data);

  int itemHeight_;  // 96-dpi units
  int minWidth_;
  TDpiScale scale_;
  std::vector<TMenuItemInfo> items_;
  TFontHandle font_;
};

}  // namespace vsm
