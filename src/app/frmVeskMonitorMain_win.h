#pragma once
// The main window: the program's one full window, with three tabs whose pages fill the panel
// below them, the menu behind the caption's menu button, and the support and news buttons. The
// close button only hides it; showing it again brings back the tab that was selected.
#include <windows.h>

#include <memory>

#include "app/GetNews_win.h"
#include "app/MainMenu.h"
#include "ui/Gdi_win.h"
#include "ui/PopupMenu_win.h"
#include "ui/SkinButtons_win.h"
#include "ui/Window_win.h"

namespace vsm {

class TfrmSoftMonitor;
class TfrmHardMonitor;
class TFrmVeskSupport;

// Sent by the news query when it has finished. The support centre sends its unread count with
// kUnreadMessagesMessage.
inline constexpr UINT kNewsDoneMessage = 3475;

class TfrmVeskMonitorMain final : public TWindow {
 public:
  static constexpr int kWidth = 880;
  static constexpr int kHeight = 600;
  static constexpr int kCaptionHeight = 30;
  static constexpr RECT kPanel{9, 85, 9 + 862, 85 + 506};

  // Creates the hidden window (FormCreate); `mainForm` is the hidden main form.
  explicit TfrmVeskMonitorMain(HWND mainForm);
  ~TfrmVeskMonitorMain() override;

  void Localize();
  // Shows the window (FormShow); the first show centres it and selects the first tab.
  void Show();
  bool Visible() const { return IsWindowVisible(Handle()) != FALSE; }
  int SelectedTab() const { return FTabs.Selected(); }
  void SelectTab(int tag);
  HWND PanelHandle() const { return pnlmain; }

 private:
  enum ButtonId : int { kBtnMenu = 100, kBtnClose, kBtnSupport, kBtnNews };

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc);
  void PaintTabIcon(HDC dc, const TSkinButton& tab, const RECT& box) const;
  void ButtonClick(int id);
  void PopupMainMenu();
  void FormHide();
  void FormClose();
  void UpdateHints();
  void PlacePage(HWND page);
  void StartUpdateAndNews();
  void btnNewsClick();
  void btnSupportClick();

  HWND FMainForm;
  HWND pnlmain = nullptr;
  HWND FHint = nullptr;
  bool FShowed = false;
  TTabGroup FTabs;
  TSkinButtonSet FButtons;
  TVeskPopupMenu dpmn1{22, 150};
  TFontHandle FFont, FCaptionFont;
  bool FNewsBadge = false, FSupportBadge = false;
  std::unique_ptr<TGetNews> fGetNewsThread;  // the news query of the first show, until read
  std::unique_ptr<TFrmVeskSupport> FSupport;
};

// Created on first demand by ShowMainWindow; lives until the program ends.
extern std::unique_ptr<TfrmVeskMonitorMain> frmVeskMonitorMain;
// The pages, created by the main window's tabs and freed when it closes.
extern std::unique_ptr<TfrmSoftMonitor> frmSoftMonitor;
extern std::unique_ptr<TfrmHardMonitor> frmHardMonitor;

}  // namespace vsm
