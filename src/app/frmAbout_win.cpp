#include "app/frmAbout_win.h"

#include <windowsx.h>

#include <string>

#include "app/AppIdentity.h"
#include "base/wide_win.h"
#include "services/AppConfig_win.h"
#include "services/OpenURL_win.h"
#include "services/ServerAddresses.h"
#include "services/Translation_win.h"
#include "ui/Gdi_win.h"
#include "ui/ModalLoop_win.h"
#include "ui/Theme_win.h"
#include "ui/Window_win.h"

namespace vsm {

namespace {

const TWindowClassTraits kTraits{L"TfrmAbout", 0, IDC_ARROW, 0};
constexpr int kWidth = 320;
constexpr int kHeight = 170;

class TfrmAbout final : public TWindow {
 public:
  explicit TfrmAbout(HWND owner) {
    const TDpiScale scale{GetDeviceCaps(TWindowDC(nullptr).Get(), LOGPIXELSX)};
    RECT own{};
    GetWindowRect(owner, &own);
    const int w = scale(kWidth), h = scale(kHeight);
    CreateWindowFrom(kTraits, WS_EX_DLGMODALFRAME, WS_POPUP | WS_BORDER,
                     {(own.left + own.right - w) / 2, (own.top + own.bottom - h) / 2,
                      (own.left + own.right + w) / 2, (own.top + own.bottom + h) / 2},
                     owner);
    SetWindowTextW(Handle(), GetLangText("Translation", "MenuItem9", L"About").c_str());
    FFont = CreateRoleFont(Theme().fonts.label, Scale());
    FTitle = CreateRoleFont(Theme().fonts.title, Scale());
  }
  bool Closed() const { return FClosed; }

 private:
  RECT OkButton() const {
    return {Scale()(kWidth - 90), Scale()(kHeight - 40), Scale()(kWidth - 10), Scale()(kHeight - 14)};
  }
  RECT LinkLine() const { return {Scale()(20), Scale()(96), Scale()(kWidth - 20), Scale()(114)}; }

  void Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillColour(dc, client, Theme().colours.menuBackground);
    RECT title{0, 0, client.right, Scale()(Theme().metrics.messageBoxTitleHeight)};
    FillColour(dc, title, Theme().colours.accent);
    SetBkMode(dc, TRANSPARENT);
    TSelectObject bold(dc, FTitle.Get());
    SetTextColor(dc, ToColorRef(Theme().colours.accentText));
    RECT titleText{Scale()(10), 0, client.right, title.bottom};
    const std::wstring about = GetLangText("Translation", "MenuItem9", L"About");
    DrawTextW(dc, about.c_str(), -1, &titleText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(dc, ToColorRef(Theme().colours.menuText));
    RECT name{Scale()(20), Scale()(44), client.right, Scale()(62)};
    DrawTextW(dc, kAppTitle, -1, &name, DT_SINGLELINE | DT_NOPREFIX);
    TSelectObject regular(dc, FFont.Get());
    const std::wstring version =
        GetLangText("Translation", "Version", L"Version") + L" " + Widen(AppConfig.SetupVer);
    RECT versionLine{Scale()(20), Scale()(70), client.right, Scale()(88)};
    DrawTextW(dc, version.c_str(), -1, &versionLine, DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, ToColorRef(Theme().colours.accent));
    RECT link = LinkLine();
    const std::wstring site = Widen(kWebSite);
    DrawTextW(dc, site.c_str(), -1, &link, DT_SINGLELINE | DT_NOPREFIX);
    RECT ok = OkButton();
    FillColour(dc, ok, Theme().colours.accent);
    SetTextColor(dc, ToColorRef(Theme().colours.accentText));
    const std::wstring okText = GetLangText("GUI", "ButtonOK", L"OK");
    DrawTextW(dc, okText.c_str(), -1, &ok, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_PAINT: {
        TPaintDC paint(Handle());
        Paint(paint.Get());
        return 0;
      }
      case WM_NCHITTEST: {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(Handle(), &point);
        return point.y < Scale()(Theme().metrics.messageBoxTitleHeight) ? HTCAPTION : HTCLIENT;
      }
      case WM_LBUTTONUP: {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT ok = OkButton();
        RECT link = LinkLine();
        if (PtInRect(&ok, point)) FClosed = true;
        if (PtInRect(&link, point)) OpenURL(Handle(), Widen(kWebSite));
        return 0;
      }
      case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) FClosed = true;
        return 0;
      case WM_CLOSE: FClosed = true; return 0;
      default: return TWindow::OnMessage(message, wParam, lParam);
    }
  }

  TFontHandle FFont, FTitle;
  bool FClosed = false;
};

}  // namespace

void ShowAboutBox(HWND owner) {
  TfrmAbout box(owner);
  EnableWindow(owner, FALSE);
  ShowWindow(box.Handle(), SW_SHOW);
  SetForegroundWindow(box.Handle());
  RunModalLoop([&box] { return box.Closed(); });
  EnableWindow(owner, TRUE);
  SetForegroundWindow(owner);
}

}  // namespace vsm
