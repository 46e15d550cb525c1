#include "app/frmupdate_win.h"

#include <windowsx.h>

#include "app/NewsWindow.h"
#include "base/web_address.h"
#include "base/wide_win.h"
#include "services/BrowserEmulation_win.h"
#include "services/OpenURL_win.h"
#include "services/Translation_win.h"
#include "ui/ModalLoop_win.h"

namespace vsm {

namespace {

constexpr const wchar_t* kBrowserAreaClass = L"TfrmupdateBrowser";

void RegisterClasses() {
  static const bool registered = [] {
    WNDCLASSEXW form{};
    form.cbSize = sizeof form;
    form.lpfnWndProc = &InstanceWindowProc<Tfrmupdate>;
    form.hInstance = GetModuleHandleW(nullptr);
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.hIcon = LoadIconW(form.hInstance, MAKEINTRESOURCEW(1));
    form.lpszClassName = Tfrmupdate::kWindowClass;
    RegisterClassExW(&form);
    WNDCLASSEXW area{};
    area.cbSize = sizeof area;
    area.lpfnWndProc = DefWindowProcW;
    area.hInstance = form.hInstance;
    area.lpszClassName = kBrowserAreaClass;
    RegisterClassExW(&area);
    return true;
  }();
  (void)registered;
}

// The window's place: centred on the owner (or the screen), kept on the owner's monitor.
POINT CentredOn(HWND owner, int width, int height) {
  RECT around{};
  if (owner == nullptr || !GetWindowRect(owner, &around)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  }
  return {around.left + (around.right - around.left - width) / 2,
          around.top + (around.bottom - around.top - height) / 2};
}

}  // namespace

TNewsShown Tfrmupdate::ShowNewsletter(HWND owner, const std::string& title, const std::string& url,
                                      int32_t color, int32_t height, int32_t width, int32_t /*id*/) {
  RegisterClasses();
  const TNewsWindowLayout layout = NewsWindowLayout(width, height, color);
  const int windowWidth = layout.clientWidth + 2 * kBorder;
  const int windowHeight = layout.clientHeight + kCaptionHeight + kBorder;
  const POINT place = CentredOn(owner, windowWidth, windowHeight);
  Tfrmupdate form;
  form.Title = Widen(title);
  form.Link = Widen(url);
  if (layout.background) form.FColor = *layout.background;
  HWND window =
      CreateWindowExW(WS_EX_TOPMOST, kWindowClass, form.Title.c_str(), WS_POPUP | WS_CLIPCHILDREN, place.x,
                      place.y, windowWidth, windowHeight, owner, nullptr, GetModuleHandleW(nullptr), &form);
  if (window == nullptr) return TNewsShown::nsNothing;
  form.FBrowserArea = CreateWindowExW(0, kBrowserAreaClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                      kBorder, kCaptionHeight, layout.clientWidth, layout.clientHeight,
                                      window, nullptr, GetModuleHandleW(nullptr), nullptr);
  form.wb1 = TWebBrowserHost::Create(form.FBrowserArea, url);
  if (!form.wb1) {
    // No browser engine: the page goes to the user's browser instead.
    DestroyWindow(window);
    return OpenWebAddress(owner, url) ? TNewsShown::nsBrowser : TNewsShown::nsNothing;
  }
  form.wb1->OnNewWindow = [&form](const std::wstring&) { form.wb1NewWindow3(); };
  form.wb1->OnOpenOutside = [&form](const std::wstring& address) {
    OpenWebAddress(form.FWindow, Narrow(address));
  };
  const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  form.FormShow();
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  RunModalLoop([window] { return !IsWindow(window); });
  if (ownerWasEnabled) {
    EnableWindow(owner, TRUE);
    SetForegroundWindow(owner);
  }
  return TNewsShown::nsWindow;
}

void Tfrmupdate::FormShow() {
  LOGFONTW font = LangLogFont();
  font.lfWeight = FW_BOLD;
  FFont = CreateFontIndirectW(&font);
  LoadNews();
}

void Tfrmupdate::LoadNews() {
  SetBrowserEmulation();
  // Like the pages it opens, the page it shows must be a web page: never a file or a share.
  if (IsWebAddress(Narrow(Link))) wb1->Navigate(Link);
}

// A link that asks for a window of its own goes to the default browser (OnOpenOutside) and the
// message has been read.
void Tfrmupdate::wb1NewWindow3() { PostMessageW(FWindow, WM_CLOSE, 0, 0); }

RECT Tfrmupdate::CloseButton() const {
  RECT client{};
  GetClientRect(FWindow, &client);
  return {client.right - kCaptionHeight - kBorder, 0, client.right - kBorder, kCaptionHeight};
}

void Tfrmupdate::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(FWindow, &paint);
  RECT client{};
  GetClientRect(FWindow, &client);
  HBRUSH background = CreateSolidBrush(FColor);
  FillRect(dc, &client, background);
  DeleteObject(background);
  HICON icon =
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
  int textLeft = 10;
  if (icon != nullptr) {
    DrawIconEx(dc, 8, (kCaptionHeight - 16) / 2, icon, 16, 16, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
    textLeft = 30;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  HGDIOBJ oldFont = SelectObject(dc, FFont != nullptr ? FFont : GetStockObject(DEFAULT_GUI_FONT));
  const RECT closeButton = CloseButton();
  RECT text{textLeft, 0, closeButton.left - 4, kCaptionHeight};
  DrawTextW(dc, Title.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  if (FCloseHot) {
    HBRUSH hot = CreateSolidBrush(RGB(0xE8, 0x11, 0x23));
    FillRect(dc, &closeButton, hot);
    DeleteObject(hot);
  }
  HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  const int cx = (closeButton.left + closeButton.right) / 2, cy = kCaptionHeight / 2;
  MoveToEx(dc, cx - 5, cy - 5, nullptr);
  LineTo(dc, cx + 5, cy + 5);
  MoveToEx(dc, cx + 5, cy - 5, nullptr);
  LineTo(dc, cx - 5, cy + 5);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  SelectObject(dc, oldFont);
  EndPaint(FWindow, &paint);
}

LRESULT Tfrmupdate::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: {
      POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(FWindow, &point);
      const RECT closeButton = CloseButton();
      if (point.y < kCaptionHeight && !PtInRect(&closeButton, point)) return HTCAPTION;
      return HTCLIENT;
    }
    case WM_MOUSEMOVE: {
      const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      const RECT closeButton = CloseButton();
      const bool hot = PtInRect(&closeButton, point) != FALSE;
      if (hot != FCloseHot) {
        FCloseHot = hot;
        InvalidateRect(FWindow, &closeButton, FALSE);
        if (hot) {
          TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FWindow, 0};
          TrackMouseEvent(&track);
        }
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      if (FCloseHot) {
        FCloseHot = false;
        const RECT closeButton = CloseButton();
        InvalidateRect(FWindow, &closeButton, FALSE);
      }
      return 0;
    case WM_LBUTTONUP: {
      const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      const RECT closeButton = CloseButton();
      if (PtInRect(&closeButton, point)) PostMessageW(FWindow, WM_CLOSE, 0, 0);
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) PostMessageW(FWindow, WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE: DestroyWindow(FWindow); return 0;
    case WM_DESTROY:
      wb1.reset();
      if (FFont != nullptr) DeleteObject(FFont);
      FFont = nullptr;
      return 0;
    default: return DefWindowProcW(FWindow, message, wParam, lParam);
  }
}

}  // namespace vsm
