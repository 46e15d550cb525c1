#include "app/frmVeskMonitorMain_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/MainFormMenu_win.h"
#include "app/NewsButton_win.h"
#include "app/NewsReply.h"
#include "app/UpdateOffer_win.h"
#include "app/frmVeskSystemMonitor_win.h"
#include "hardware/page/frmHardMonitor_win.h"
#include "services/AppConfig_win.h"
#include "services/Translation_win.h"
#include "software/page/frmSoftMonitor_win.h"
#include "support/frmVeskSupport_win.h"
#include "ui/BufferedPaint_win.h"
#include "ui/Theme_win.h"

namespace vsm {

std::unique_ptr<TfrmVeskMonitorMain> frmVeskMonitorMain;
std::unique_ptr<TfrmSoftMonitor> frmSoftMonitor;
std::unique_ptr<TfrmHardMonitor> frmHardMonitor;

namespace {

const TWindowClassTraits kTraits{L"TfrmVeskMonitorMain", CS_DBLCLKS, IDC_ARROW, 1};
constexpr int kTabIds[] = {1, 2, 3};

}  // namespace

TfrmVeskMonitorMain::TfrmVeskMonitorMain(HWND mainForm) : FMainForm(mainForm) {
  const TDpiScale scale{GetDeviceCaps(TWindowDC(nullptr).Get(), LOGPIXELSX)};
  CreateWindowFrom(kTraits, WS_EX_APPWINDOW, WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX,
                   {0, 0, scale(kWidth), scale(kHeight)}, nullptr);
  SetWindowTextW(Handle(), L"Vesk System Monitor");
  pnlmain = CreatePanel(Handle(), ScaleRect(kPanel, Scale()));

  auto& buttons = FButtons.Buttons();
  buttons.push_back({kBtnClose, TSkinButtonKind::CaptionClose, {kWidth - 34, 0, kWidth - 4, kCaptionHeight}});
  buttons.push_back({kBtnMenu, TSkinButtonKind::CaptionMenu, {kWidth - 64, 0, kWidth - 34, kCaptionHeight}});
  buttons.push_back({kBtnSupport, TSkinButtonKind::Badge, {735, 9, 780, 34}, L"?"});
  buttons.push_back({kBtnNews, TSkinButtonKind::Badge, {688, 9, 733, 34}, L"\x2709"});
  buttons.push_back({1, TSkinButtonKind::Tab, {14, 45, 164, 85}, L"Soft Monitor", 1});
  buttons.push_back({2, TSkinButtonKind::Tab, {165, 45, 315, 85}, L"Hard Monitor", 2});
  buttons.push_back({3, TSkinButtonKind::Tab, {316, 45, 466, 85}, L"Operating System", 3});

  FHint = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  Localize();
  FSupport = InitVeskSupport(AppConfig.SetupGUID, kSupportProductId, Handle(), 0, AppConfig.SetupVer,
                             ProgramWindowServices());
}

TfrmVeskMonitorMain::~TfrmVeskMonitorMain() {
  frmSoftMonitor.reset();
  frmHardMonitor.reset();
}

void TfrmVeskMonitorMain::Localize() {
  const LOGFONTW lang = LangLogFont();
  FFont = CreateRoleFont(Theme().fonts.label, Scale(), lang.lfFaceName, lang.lfCharSet);
  FCaptionFont = CreateRoleFont(Theme().fonts.title, Scale(), lang.lfFaceName, lang.lfCharSet);
  auto caption = [this](int id, const char* key) {
    TSkinButton* tab = FButtons.Find(id);
    tab->caption = GetLangText("Translation", key, tab->caption);
  };
  caption(1, "btnSoftMonitor.Caption");
  caption(2, "btnHardMonitor.Caption");
  caption(3, "btnOsOverview.Caption");
  FButtons.Find(kBtnSupport)->hint = GetLangText("GUI", "Support", L"Support Center");
  FButtons.Find(kBtnNews)->hint = GetLangText("GUI", "BtnNews", L"Messages");
  UpdateHints();
  InitMainMenu(dpmn1);
  if (frmSoftMonitor) frmSoftMonitor->Localize();
  if (frmHardMonitor) frmHardMonitor->Localize();
  if (FSupport) FSupport->Localize();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TfrmVeskMonitorMain::UpdateHints() {
  if (FHint == nullptr) return;
  for (int id : {kBtnSupport, kBtnNews}) {
    TSkinButton* button = FButtons.Find(id);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = static_cast<UINT_PTR>(id);
    tool.rect = ScaleRect(button->bounds, Scale());
    tool.lpszText = const_cast<wchar_t*>(button->hint.c_str());
    SendMessageW(FHint, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(FHint, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void TfrmVeskMonitorMain::Show() {
  if (!FShowed) {
    CentreOnWorkArea(Handle());
    if (!MainFormMenu()) InitMainMenu(dpmn1);
    StartUpdateAndNews();
  }
  ShowWindow(Handle(), SW_SHOW);
  SelectTab(FShowed && FTabs.Selected() != 0 ? FTabs.Selected() : 1);
  FShowed = true;
}

// Once per process, at the first show: the silent update check when the user wants it, and the
// news query, which answers with message 3475.
void TfrmVeskMonitorMain::StartUpdateAndNews() {
  if (AppConfig.bAutoUpdate) {
    const auto build = static_cast<int32_t>(AppConfig.AppInfo.dwFileVersionLS & 0xFFFF);
    if (HANDLE worker =
            DoCheckNewVer(Handle(), build, false, ProgramWindowServices().MessageBoxOver(Handle())))
      CloseHandle(worker);
  }
  fGetNewsThread = std::make_unique<TGetNews>(Handle(), false, AppConfig.MsgIds, kNewsProductId);
}

void TfrmVeskMonitorMain::btnNewsClick() {
  if (ShowFirstNews(Handle(), fGetNewsThread, AppConfig.MsgIds,
                    ProgramWindowServices().MessageBoxOver(Handle()))) {
    FNewsBadge = false;
    InvalidateRect(Handle(), nullptr, FALSE);
  }
}

// The badge goes with the answers it announced: the support centre forgets them when it shows.
void TfrmVeskMonitorMain::btnSupportClick() {
  if (!FSupport) return;
  FSupport->ShowForm();
  FSupportBadge = FSupport->GetMessageCount() > 0;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmVeskMonitorMain::PlacePage(HWND page) {
  RECT r;
  GetClientRect(pnlmain, &r);
  SetWindowPos(page, nullptr, 0, 0, r.right, r.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmVeskMonitorMain::SelectTab(int tag) {
  FTabs.Select(tag);
  for (int id : kTabIds) FButtons.Find(id)->selected = FTabs.IsSelected(id);
  if (tag == 1 || tag == 3) {
    if (frmHardMonitor) frmHardMonitor->FormClose();
    if (!frmSoftMonitor) frmSoftMonitor = std::make_unique<TfrmSoftMonitor>(pnlmain, ProgramWindowServices());
    PlacePage(frmSoftMonitor->Handle());
    frmSoftMonitor->Show();
    frmSoftMonitor->ShowTag(tag);
  } else if (tag == 2) {
    if (frmSoftMonitor) frmSoftMonitor->FormClose();
    if (!frmHardMonitor) frmHardMonitor = std::make_unique<TfrmHardMonitor>(pnlmain, ProgramWindowServices());
    PlacePage(frmHardMonitor->Handle());
    frmHardMonitor->Show();
  }
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmVeskMonitorMain::FormHide() {
  if (frmSoftMonitor) frmSoftMonitor->FormClose();
  if (frmHardMonitor) frmHardMonitor->FormClose();
}

void TfrmVeskMonitorMain::FormClose() {
  ShowWindow(Handle(), SW_HIDE);
  FormHide();
  FreeMainFormMenu();
  frmSoftMonitor.reset();
  frmHardMonitor.reset();
}

void TfrmVeskMonitorMain::PopupMainMenu() {
  if (!MainFormMenu()) InitMainMenu(dpmn1);
  const RECT button = ScaleRect(FButtons.Find(kBtnMenu)->bounds, Scale());
  POINT at{button.left, button.bottom};
  ClientToScreen(Handle(), &at);
  TMenuItemInfo* chosen = dpmn1.PopupItem(Handle(), at.x, at.y);
  if (chosen != nullptr && MainFormMenu() != nullptr) MainFormMenu()->OnClick(*chosen, Handle(), FMainForm);
}

void TfrmVeskMonitorMain::ButtonClick(int id) {
  switch (id) {
    case kBtnClose: FormClose(); break;
    case kBtnMenu: PopupMainMenu(); break;
    case kBtnNews: btnNewsClick(); break;
    case kBtnSupport: btnSupportClick(); break;
    default:
      if (id >= 1 && id <= 3) SelectTab(id);
      break;
  }
}

void TfrmVeskMonitorMain::PaintTabIcon(HDC dc, const TSkinButton& tab, const RECT& box) const {
  // Even indices are the plain icons, odd ones the selected icons.
  const bool selectedIcon = FTabs.IconIndex(tab.icon) % 2 == 1;
  const COLORREF colour = selectedIcon ? ToColorRef(Theme().colours.formFrame) : RGB(255, 255, 255);
  TPenHandle pen(CreatePen(PS_SOLID, Scale()(2), colour));
  TSelectObject selectedPen(dc, pen.Get());
  TSelectObject brush(dc, GetStockObject(NULL_BRUSH));
  const int s = Scale()(1);
  switch (tab.icon) {
    case 1:  // a list
      for (int row = 0; row < 4; ++row) {
        MoveToEx(dc, box.left + 3 * s, box.top + (5 + 5 * row) * s, nullptr);
        LineTo(dc, box.right - 3 * s, box.top + (5 + 5 * row) * s);
      }
      break;
    case 2:  // a chip
      Rectangle(dc, box.left + 6 * s, box.top + 6 * s, box.right - 6 * s, box.bottom - 6 * s);
      for (int pin = 0; pin < 3; ++pin) {
        const int x = box.left + (9 + 3 * pin) * s;
        MoveToEx(dc, x, box.top + 2 * s, nullptr);
        LineTo(dc, x, box.top + 6 * s);
        MoveToEx(dc, x, box.bottom - 6 * s, nullptr);
        LineTo(dc, x, box.bottom - 2 * s);
      }
      break;
    default:  // a screen
      Rectangle(dc, box.left + 2 * s, box.top + 3 * s, box.right - 2 * s, box.bottom - 7 * s);
      MoveToEx(dc, box.left + 8 * s, box.bottom - 3 * s, nullptr);
      LineTo(dc, box.right - 8 * s, box.bottom - 3 * s);
      break;
  }
}

void TfrmVeskMonitorMain::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  FillColour(dc, client, Theme().colours.formFrame);
  SetBkMode(dc, TRANSPARENT);
  {
    TSelectObject font(dc, FCaptionFont.Get());
    SetTextColor(dc, RGB(255, 255, 255));
    RECT caption{Scale()(10), 0, Scale()(400), Scale()(kCaptionHeight)};
    DrawTextW(dc, L"Vesk System Monitor", -1, &caption, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  }
  FButtons.Find(kBtnNews)->badge = FNewsBadge;
  FButtons.Find(kBtnSupport)->badge = FSupportBadge;
  FButtons.Paint(
      dc, Scale(), FFont.Get(), RGB(255, 255, 255),
      [this](HDC target, const TSkinButton& tab, const RECT& box) { PaintTabIcon(target, tab, box); });
}

LRESULT TfrmVeskMonitorMain::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: PaintBuffered(Handle(), [this](HDC dc) { Paint(dc); }); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: return FButtons.CaptionHitTest(Handle(), lParam, Scale(), kCaptionHeight);
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
      const int id = FButtons.HandleMouse(Handle(), Scale(), message, lParam);
      if (id != 0) ButtonClick(id);
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_F1 && MainFormMenu() != nullptr) {
        TMenuItemInfo help{L"", kMenuHelp};
        MainFormMenu()->OnClick(help, Handle(), FMainForm);
      }
      return 0;
    case WM_SYSCOMMAND:
      // Neither the system menu's key nor minimising: the window has no caption bar to carry them.
      if ((wParam & 0xFFF0) == SC_KEYMENU || (wParam & 0xFFF0) == SC_MINIMIZE) return -1;
      break;
    case WM_QUERYENDSESSION:
      DefWindowProcW(Handle(), message, wParam, lParam);
      PostMessageW(FMainForm, WM_CLOSE, 0, 0);
      return 1;
    case WM_CLOSE: FormClose(); return 0;
    case WM_SHOWWINDOW:
      if (wParam == FALSE) FormHide();
      break;
    case kNewsDoneMessage:
      FNewsBadge = fGetNewsThread && !fGetNewsThread->Messages().empty();
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case kUnreadMessagesMessage:
      FSupportBadge = FSupport && FSupport->GetMessageCount() > 0;
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    default: break;
  }
  return TWindow::OnMessage(message, wParam, lParam);
}

}  // namespace vsm
