#pragma once
// The main window's menu: fills the menu behind the caption's menu button and carries out its
// items (web pages, the update flag, the autostart task, the language, the about box).
#include <windows.h>

#include <functional>
#include <memory>

#include "app/Autostart_win.h"
#include "ui/PopupMenu_win.h"

namespace vsm {

// The autostart task's two calls, set by the hidden main form at start (tests may give others);
// unset, item 7 shows unchecked and a click only turns its mark. When `set` does not carry the
// change out, the mark stays as it was; a refusal is explained in a message box.
struct TAutostartCalls {
  std::function<bool()> isEnabled;
  std::function<TAutostartChange(bool on)> set;
};
TAutostartCalls& AutostartCalls();

class TMainFormMenu {
 public:
  explicit TMainFormMenu(TVeskPopupMenu& menu) : FMenu(menu) {}

  // The menu's handler: `owner` gets the web pages and the about box.
  void OnClick(TMenuItemInfo& item, HWND owner, HWND mainForm);
  TVeskPopupMenu& LanguageMenu() { return FLanguages; }

  bool FShowHint = false;  // the update check reports "no update" only when set

 private:
  void LanguageClick(TMenuItemInfo& item);
  TVeskPopupMenu& FMenu;
  TVeskPopupMenu FLanguages{22, 150};
};

// Fills `menu` (and the instance's language submenu), creating the instance when missing; sets
// the captions every time.
void InitMainMenu(TVeskPopupMenu& menu);
TMainFormMenu* MainFormMenu();
void FreeMainFormMenu();

}  // namespace vsm
