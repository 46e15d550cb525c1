#pragma once
// The skinned popup menu every menu of the program is built from: owner-drawn items with a fixed
// height and a minimum width, each item carrying the tag its click dispatches on.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/Gdi_win.h"

namespace vsm {

struct TMenuItemInfo {
  std::wstring caption;  // "-" is a separator
  int tag = 0;
  bool checked = false;
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
  // index of the chosen item, or -1 when the menu was dismissed.
  int Popup(HWND owner, int x, int y);

  // The owner window forwards these while the menu is up; they return true when handled.
  bool MeasureItem(MEASUREITEMSTRUCT& measure);
  bool DrawItem(const DRAWITEMSTRUCT& draw);

 private:
  int itemHeight_;
  int minWidth_;
  std::vector<TMenuItemInfo> items_;
  TFontHandle font_;
};

}  // namespace vsm
