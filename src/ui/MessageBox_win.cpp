#include "ui/MessageBox_win.h"

#include <commctrl.h>

#include <vector>

#include "ui/CommonControls_win.h"
#include "ui/MessageBoxLayout.h"
#include "ui/MousePoint_win.h"
#include "ui/Rect_win.h"
#include "ui/Theme_win.h"
#include "ui/Window_win.h"

namespace vsm {

namespace {

const TWindowClassTraits kMessageBoxClass{L"TVeskMessageBox", CS_DROPSHADOW};

bool Inside(const Rect& r, Point p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

class TMessageBoxWindow final : public TWindow {
 public:
  struct TButton {
    std::wstring caption;
    TMessageResult result;
  };

  TMessageBoxWindow(HWND owner, std::wstring title, std::wstring text, TMessageIcon icon,
                    std::vector<TButton> buttons, std::wstring closeHint)
      : title_(std::move(title)), text_(std::move(text)), icon_(icon), buttons_(std::move(buttons)),
        closeHint_(std::move(closeHint)) {
    CreateWindowFrom(kMessageBoxClass, WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, WS_POPUP | WS_BORDER,
                     RECT{0, 0, 10, 10}, owner);
    SetWindowTextW(Handle(), title_.c_str());  // for the taskbar's and screen readers' sake
    Arrange(owner);
    AddCloseHint();
  }

  ~TMessageBoxWindow() override {
    if (hint_ != nullptr) DestroyWindow(hint_);
  }

  TMessageResult RunModal(HWND owner) {
    const bool ownerEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (ownerEnabled) EnableWindow(owner, FALSE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    MSG msg;
    while (!done_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
        Finish(msg.wParam == VK_RETURN ? buttons_.front().result : IDCANCEL);
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (ownerEnabled) EnableWindow(owner, TRUE);
    ShowWindow(Handle(), SW_HIDE);
    return result_;
  }

 private:
  void Arrange(HWND owner) {
    const TDpiScale scale = Scale();
    textFont_ = CreateRoleFont(Theme().fonts.label, scale);
    titleFont_ = CreateRoleFont(Theme().fonts.title, scale);
    TWindowDC screen(nullptr);
    TSelectObject selected(screen.Get(), textFont_.Get());
    RECT measure{0, 0, MessageBoxTextWidth(scale), 0};
    DrawTextW(screen.Get(), text_.c_str(), -1, &measure, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    layout_ = LayoutMessageBox(measure.bottom, static_cast<int>(buttons_.size()), scale);
    RECT around{};
    if (owner == nullptr || !IsWindowVisible(owner) || !GetWindowRect(owner, &around)) {
      SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    }
    RECT frame = ToRECT(layout_.window);
    AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_DLGMODALFRAME);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(Handle(), HWND_TOPMOST, (around.left + around.right - width) / 2,
                 (around.top + around.bottom - height) / 2, width, height, SWP_NOACTIVATE);
  }

  // The close button's hint, in a tooltip over its rectangle.
  void AddCloseHint() {
    InitCommonControlClasses(ICC_WIN95_CLASSES);
    hint_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (hint_ == nullptr) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.rect = ToRECT(layout_.close);
    tool.lpszText = closeHint_.data();
    SendMessageW(hint_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_PAINT: Paint(); return 0;
      case WM_ERASEBKGND: return 1;
      case WM_MOUSEMOVE: Track(MousePoint(lParam)); return 0;
      case WM_LBUTTONDOWN: {
        const Point point = MousePoint(lParam);
        if (Inside(layout_.title, point) && !Inside(layout_.close, point)) {
          ReleaseCapture();
          SendMessageW(Handle(), WM_SYSCOMMAND, 0xF012, 0);  // move by the title bar
        }
        return 0;
      }
      case WM_LBUTTONUP: {
        const Point point = MousePoint(lParam);
        if (Inside(layout_.close, point)) Finish(IDCANCEL);
        for (size_t i = 0; i < buttons_.size(); ++i) {
          if (Inside(layout_.buttons[i], point)) Finish(buttons_[i].result);
        }
        return 0;
      }
      case WM_CLOSE: Finish(IDCANCEL); return 0;
      default: return TWindow::OnMessage(message, wParam, lParam);
    }
  }

  void Track(Point point) {
    int hot = Inside(layout_.close, point) ? -2 : -1;
    for (size_t i = 0; i < layout_.buttons.size(); ++i) {
      if (Inside(layout_.buttons[i], point)) hot = static_cast<int>(i);
    }
    if (hot != hot_) {
      hot_ = hot;
      InvalidateRect(Handle(), nullptr, FALSE);
    }
  }

  void Finish(TMessageResult result) {
    result_ = result;
    done_ = true;
    PostMessageW(Handle(), WM_NULL, 0, 0);
  }

  void Paint() {
    TPaintDC paint(Handle());
    HDC dc = paint.Get();
    const TThemeColours& colours = Theme().colours;
    const TDpiScale scale = Scale();
    FillColour(dc, ToRECT(layout_.window), colours.menuBackground);
    FillColour(dc, ToRECT(layout_.title), colours.accent);
    SetBkMode(dc, TRANSPARENT);
    {
      TSelectObject selected(dc, titleFont_.Get());
      SetTextColor(dc, ToColorRef(colours.accentText));
      RECT title = ToRECT(layout_.title);
      title.left += scale(12);
      DrawTextW(dc, title_.c_str(), -1, &title, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
      if (hot_ == -2) FillColour(dc, ToRECT(layout_.close), 0xFFE81123);
      RECT close = ToRECT(layout_.close);
      DrawTextW(dc, L"\u00D7", 1, &close, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    const Rect& icon = layout_.icon;
    SetDCBrushColor(dc, ToColorRef(icon_ == TMessageIcon::Information ? colours.accent : 0xFFF0A30A));
    SetDCPenColor(dc, ToColorRef(icon_ == TMessageIcon::Information ? colours.accent : 0xFFF0A30A));
    {
      TSelectObject brush(dc, GetStockObject(DC_BRUSH));
      TSelectObject pen(dc, GetStockObject(DC_PEN));
      Ellipse(dc, icon.left, icon.top, icon.right, icon.bottom);
    }
    TSelectObject selected(dc, textFont_.Get());
    SetTextColor(dc, ToColorRef(colours.accentText));
    RECT mark = ToRECT(icon);
    DrawTextW(dc, icon_ == TMessageIcon::Information ? L"i" : L"?", 1, &mark,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    SetTextColor(dc, ToColorRef(colours.menuText));
    RECT text = ToRECT(layout_.text);
    DrawTextW(dc, text_.c_str(), -1, &text, DT_WORDBREAK | DT_NOPREFIX);
    for (size_t i = 0; i < buttons_.size(); ++i) {
      const bool hot = static_cast<int>(i) == hot_;
      RECT button = ToRECT(layout_.buttons[i]);
      FillColour(dc, button, hot ? colours.accent : colours.buttonFace);
      SetTextColor(dc, ToColorRef(hot ? colours.accentText : colours.menuText));
      DrawTextW(dc, buttons_[i].caption.c_str(), -1, &button,
                DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
  }

  std::wstring title_;
  std::wstring text_;
  TMessageIcon icon_;
  std::vector<TButton> buttons_;
  std::wstring closeHint_;
  HWND hint_ = nullptr;
  TMessageBoxLayout layout_;
  TFontHandle textFont_;
  TFontHandle titleFont_;
  int hot_ = -1;
  bool done_ = false;
  TMessageResult result_ = IDCANCEL;
};

}  // namespace

TMessageResult TVeskMessageBox::Show(HWND owner, const std::wstring& title, const std::wstring& text,
                                     TMessageIcon icon, TMessageButtons buttons) const {
  std::vector<TMessageBoxWindow::TButton> choices;
  if (buttons == TMessageButtons::YesNo) {
    choices = {{yes, IDYES}, {no, IDNO}};
  } else {
    choices = {{ok, IDOK}};
  }
  TMessageBoxWindow window(owner, title, text, icon, std::move(choices), closeHint);
  return window.RunModal(owner);
}

}  // namespace vsm
