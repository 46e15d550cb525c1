#include "ui/Window_win.h"

#include <set>
#include <string>

#include "ui/Dpi_win.h"

namespace vsm {

namespace {

constexpr wchar_t kReflectProperty[] = L"VsmReflectTarget";
constexpr UINT kDpiChangedMessage = 0x02E0;  // WM_DPICHANGED, Windows 8.1 and later

// The child window a parent-bound message is about, or null.
HWND ReflectedChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return draw->CtlType == ODT_MENU ? nullptr : draw->hwndItem;
    }
    case WM_MEASUREITEM: {
      const auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      return measure->CtlType == ODT_MENU ? nullptr : GetDlgItem(parent, static_cast<int>(wParam));
    }
    case WM_NOTIFY: return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_COMMAND:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return reinterpret_cast<HWND>(lParam);
    default: return nullptr;
  }
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT area;
    GetClientRect(window, &area);
    FillRect(reinterpret_cast<HDC>(wParam), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreatePanel(HWND parent, const RECT& bounds) {
  static constexpr wchar_t kPanelClass[] = L"TVeskPanel";
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPanelClass;
    return RegisterClassExW(&wc);
  }();
  (void)atom;
  return CreateWindowExW(0, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, bounds.left,
                         bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

void CentreOnWorkArea(HWND window) {
  RECT work{}, own{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(window, &own);
  SetWindowPos(window, nullptr, work.left + (work.right - work.left - (own.right - own.left)) / 2,
               work.top + (work.bottom - work.top - (own.bottom - own.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetReflectTarget(HWND child, TReflectTarget* target) {
  if (target != nullptr) {
    SetPropW(child, kReflectProperty, target);
  } else {
    RemovePropW(child, kReflectProperty);
  }
}

TWindow::~TWindow() {
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

bool TWindow::CreateWindowFrom(const TWindowClassTraits& traits, DWORD exStyle, DWORD style,
                               const RECT& bounds, HWND parent) {
  static std::set<std::wstring> registered;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (registered.insert(traits.name).second) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = traits.style;
    wc.lpfnWndProc = &InstanceWindowProc<TWindow>;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, traits.cursor);
    if (traits.iconResource != 0) wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(traits.iconResource));
    wc.lpszClassName = traits.name;
    RegisterClassExW(&wc);
  }
  CreateWindowExW(exStyle, traits.name, L"", style, bounds.left, bounds.top, bounds.right - bounds.left,
                  bounds.bottom - bounds.top, parent, nullptr, instance, this);
  return window_ != nullptr;
}

void TWindow::AttachWindow(HWND window) {
  window_ = window;
  scale_ = {DpiForWindow(window)};
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (HWND child = ReflectedChild(window_, message, wParam, lParam)) {
    if (auto* target = static_cast<TReflectTarget*>(GetPropW(child, kReflectProperty))) {
      LRESULT result = 0;
      if (target->OnReflectedMessage(message, wParam, lParam, result)) return result;
    }
  }
  if (message == kDpiChangedMessage) {
    scale_ = {HIWORD(wParam)};
    OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
    return 0;
  }
  return OnMessage(message, wParam, lParam);
}

LRESULT TWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window_, message, wParam, lParam);
}

void TWindow::OnDpiChanged(const RECT& suggested) {
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vsm
