#include "app/VeskTrayIcon_win.h"

#include "app/AppIdentity.h"
#include "base/library_win.h"
#include "base/module_path_win.h"
#include "platform/WindowsVersion_win.h"

namespace vsm {

namespace {

// The record in its full form, balloon fields, guidItem and the balloon icon that XP's headers
// leave out: 956 bytes in a 32-bit process. XP's shell refuses that size and takes its own
// (balloon fields and guidItem, 952 bytes).
struct TFullNotifyIconData {
  NOTIFYICONDATAW record;
  HICON hBalloonIcon;
};
static_assert(sizeof(void*) != 4 || sizeof(TFullNotifyIconData) == 956, "956-byte notification record");
DWORD RecordSize() {
  return TrueWindowsVersion().major >= 6 ? sizeof(TFullNotifyIconData) : sizeof(NOTIFYICONDATAW);
}

constexpr UINT_PTR kAddRetryTimer = 1;

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

ATOM RegisterWindowClass(WNDPROC proc) {
  static const ATOM atom = [proc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = TVeskTrayIcon::kWindowClass;
    return RegisterClassExW(&wc);
  }();
  return atom;
}

// The filter is opened for the one window from Windows 7 on (ChangeWindowMessageFilterEx), for
// the whole process on Vista (ChangeWindowMessageFilter); XP has no filter.
bool AllowMessageFromLowerIntegrity(HWND window, UINT message) {
  using WindowFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  using ProcessFilter = BOOL(WINAPI*)(UINT, DWORD);
  static const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  static const auto windowFilter = BindFunction<WindowFilter>(user32, "ChangeWindowMessageFilterEx");
  static const auto processFilter = BindFunction<ProcessFilter>(user32, "ChangeWindowMessageFilter");
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW, and MSGFLT_ADD for the process-wide filter
  if (windowFilter != nullptr) return windowFilter(window, message, kAllow, nullptr) != FALSE;
  return processFilter != nullptr && processFilter(message, kAllow) != FALSE;
}

TShiftState KeyboardShiftState() {
  TShiftState state = 0;
  if (GetKeyState(VK_SHIFT) < 0) state |= ssShift;
  if (GetKeyState(VK_MENU) < 0) state |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) state |= ssCtrl;
  return state;
}

TShiftState ButtonState(TMouseButton button) {
  switch (button) {
    case TMouseButton::mbLeft: return ssLeft;
    case TMouseButton::mbRight: return ssRight;
    case TMouseButton::mbMiddle: return ssMiddle;
  }
  return 0;
}

}  // namespace

TTrayShell SystemTrayShell() {
  return TTrayShell{
      [] { return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; },
      [](DWORD message, NOTIFYICONDATAW& record) { return Shell_NotifyIconW(message, &record) != FALSE; },
      &AllowMessageFromLowerIntegrity,
  };
}

TVeskTrayIcon::TVeskTrayIcon(TTrayShell shell) : FShell(std::move(shell)) {
  FData = &(new TFullNotifyIconData{})->record;
  FData->uTimeout = 3000;
  RegisterWindowClass(&InstanceWindowProc<TVeskTrayIcon>);
  FWindow = CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
  // The program runs elevated and the shell does not: without this the shell's restart
  // broadcast never reaches the window, and the icon would not come back.
  FShell.allowMessage(FWindow, TaskbarCreatedMessage());
  FData->cbSize = RecordSize();
  FData->hWnd = FWindow;
  FData->uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(FWindow));
  FData->uFlags = NIF_MESSAGE | NIF_ICON;
  FData->uCallbackMessage = kCallbackMessage;
  FHint = kAppTitle;
  CopyToField(FData->szTip, FHint);
  FData->uFlags |= NIF_TIP;
  Refresh();
}

TVeskTrayIcon::~TVeskTrayIcon() {
  if (FVisible) NotifyShell(NIM_DELETE);
  SetRetrying(false);
  if (FWindow != nullptr) {
    SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
    DestroyWindow(FWindow);
  }
  if (FCurrentIcon != nullptr && FCurrentIconOwned) DestroyIcon(FCurrentIcon);
  delete reinterpret_cast<TFullNotifyIconData*>(FData);
}

void TVeskTrayIcon::SetVisible(bool value) {
  FWanted = value;
  if (value) {
    TryAdd();
    return;
  }
  SetRetrying(false);
  if (FVisible && NotifyShell(NIM_DELETE)) FVisible = false;
}

void TVeskTrayIcon::SetHint(const std::wstring& text) {
  if (text == FHint) return;
  FHint = text;
  CopyToField(FData->szTip, FHint);
  if (FHint.empty()) {
    FData->uFlags &= ~static_cast<UINT>(NIF_TIP);
  } else {
    FData->uFlags |= NIF_TIP;
  }
  Refresh();
}

void TVeskTrayIcon::Refresh() {
  FData->hIcon = FCurrentIcon;
  if (FVisible) NotifyShell(NIM_MODIFY);
}

void TVeskTrayIcon::SetDefaultIcon() {
  HICON large = nullptr;
  HICON small = nullptr;
  std::wstring exe = ExecutablePath();
  ExtractIconExW(exe.c_str(), 0, &large, &small, 1);
  if (large != nullptr) DestroyIcon(large);
  FCurrentIconOwned = small != nullptr;
  FCurrentIcon = small != nullptr ? small : LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  Refresh();
}

void TVeskTrayIcon::TryAdd() {
  if (!FWanted || FVisible) return;
  // The icon is taken from the executable once, not on every attempt.
  if (FCurrentIcon == nullptr) SetDefaultIcon();
  FVisible = AddToShell();
  SetRetrying(!FVisible);
}

bool TVeskTrayIcon::AddToShell() {
  // Without a taskbar the shell cannot take the icon; the retry timer tries again later instead
  // of holding up the user-interface thread.
  if (!FShell.taskbarExists()) return false;
  if (NotifyShell(NIM_ADD)) return true;
  // The add also fails when the shell still holds this icon (it was restarted, or it answered an
  // earlier add late): then the icon is there, and modifying it succeeds.
  return NotifyShell(NIM_MODIFY);
}

bool TVeskTrayIcon::NotifyShell(DWORD message) { return FShell.notifyIcon(message, *FData); }

void TVeskTrayIcon::SetRetrying(bool value) {
  if (value == FRetrying) return;
  if (value) {
    FRetrying = SetTimer(FWindow, kAddRetryTimer, kAddRetryMs, nullptr) != 0;
  } else {
    KillTimer(FWindow, kAddRetryTimer);
    FRetrying = false;
  }
}

LRESULT TVeskTrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_QUERYENDSESSION: return 1;
    case WM_ENDSESSION:
      if (wParam != FALSE) SetVisible(false);
      return 0;
    case WM_TIMER:
      if (wParam == kAddRetryTimer) TryAdd();
      return 0;
    case kCallbackMessage: HandleCallback(static_cast<UINT>(lParam)); return 0;
    default: break;
  }
  if (message == TaskbarCreatedMessage()) {
    // The shell was restarted and forgot the icon (or has just started): add it again.
    if (FVisible) NotifyShell(NIM_DELETE);
    FVisible = false;
    TryAdd();
    return 0;
  }
  return DefWindowProcW(FWindow, message, wParam, lParam);
}

void TVeskTrayIcon::HandleCallback(UINT mouseMessage) {
  POINT cursor{};
  GetCursorPos(&cursor);
  TShiftState keys = KeyboardShiftState();
  auto mouse = [&](const TMouseEvent& event, TMouseButton button) {
    if (event) event(*this, button, keys | ButtonState(button), cursor.x, cursor.y);
  };
  switch (mouseMessage) {
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(*this, keys, cursor.x, cursor.y);
      break;
    case WM_LBUTTONDOWN:
      mouse(OnMouseDown, TMouseButton::mbLeft);
      FIsClicked = true;
      break;
    case WM_LBUTTONUP:
      if (FIsClicked && OnClick) {
        FIsClicked = false;
        OnClick(*this);
      }
      mouse(OnMouseUp, TMouseButton::mbLeft);
      break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      if (OnDblClick) OnDblClick(*this);
      break;
    case WM_RBUTTONDOWN: mouse(OnMouseDown, TMouseButton::mbRight); break;
    case WM_RBUTTONUP: mouse(OnMouseUp, TMouseButton::mbRight); break;
    case WM_MBUTTONDOWN: mouse(OnMouseDown, TMouseButton::mbMiddle); break;
    case WM_MBUTTONUP: mouse(OnMouseUp, TMouseButton::mbMiddle); break;
    default: break;
  }
}

}  // namespace vsm
