#pragma once
// The hidden main form: the hub of the program. It is never shown; it loads the settings, owns
// the tray icon and its menu, and starts what the program runs.
#include <windows.h>

#include <memory>
#include <string>

#include "app/UpdateOffer_win.h"
#include "app/VeskTrayIcon_win.h"
#include "ui/InstanceWindow_win.h"
#include "ui/MessageBox_win.h"
#include "ui/PopupMenu_win.h"
#include "ui/WindowServices_win.h"

namespace vsm {

// Tags of the tray menu's items; OnMenuItemClick dispatches on them.
enum TrayMenuTag : int { kTagShowFloat = 2, kTagDetails = 20, kTagExit = 30 };

class TfrmVeskSystemMonitor;
// The hidden main form, once it exists.
TfrmVeskSystemMonitor* MainForm();

// What the windows are handed: the program's one message box (msgbx1, localised by the main
// form), its translation, its settings and its engines.
TWindowServices ProgramWindowServices();

// Texts of the skinned windows' caption buttons.
struct TWindowStyleTexts {
  std::wstring closeHint, menuHint;
};

class TfrmVeskSystemMonitor {
 public:
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 240;

  // Creates the hidden window and runs FormCreate. `hasParameters` tells whether the program was
  // started with command-line parameters (then the main window is not opened).
  TfrmVeskSystemMonitor(HINSTANCE instance, bool hasParameters);
  TfrmVeskSystemMonitor(const TfrmVeskSystemMonitor&) = delete;
  TfrmVeskSystemMonitor& operator=(const TfrmVeskSystemMonitor&) = delete;

  HWND Handle() const { return FWindow; }

  void Localize();
  void LangChange();
  void OnMenuItemClick(TMenuItemInfo& item);
  void SetShowFloat(bool value);
  void ShowMainWindow();

 private:
  template <class T>
  friend LRESULT CALLBACK InstanceWindowProc(HWND, UINT, WPARAM, LPARAM);
  void AttachWindow(HWND window) { FWindow = window; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void FormCreate();
  void FormDestroy();
  // The user logs off or Windows shuts down: what exit would do before the process is ended.
  void EndSession();
  void BuildTrayMenu();
  void dpmnBeforPopup();
  void PopupTrayMenu(int x, int y);
  bool FloatStripVisible() const;

  HINSTANCE FInstance;
  bool FHasParameters;
  HWND FWindow = nullptr;
  TVeskPopupMenu dpmn{26, 50};
  std::unique_ptr<TVeskTrayIcon> TrayIcon;
  TWindowStyleTexts frmstyle1;
};

}  // namespace vsm
