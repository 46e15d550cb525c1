#include "app/VeskTrayIcon_win.h"

#include <commctrl.h>

#include "app/AppIdentity.h"
#include "base/module_path_win.h"

namespace vsm {

namespace {

// The record in its full form, balloon fields, guidItem and balloon icon included: 956 bytes in a
// 32-bit process.
constexpr DWORD kRecordSize = sizeof(NOTIFYICONDATAW);
static_assert(sizeof(void*) != 4 || kRecordSize == 956, "956-byte notification record");

constexpr UINT_PTR kAnimationTimer = 1;
constexpr DWORD kTaskbarWaitMs = 2000;

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

DWORD InfoFlags(TBalloonFlags flags) {
  switch (flags) {
    case TBalloonFlags::bfInfo: return NIIF_INFO;
    case TBalloonFlags::bfWarning: return NIIF_WARNING;
    case TBalloonFlags::bfError: return NIIF_ERROR;
    case TBalloonFlags::bfNone: break;
  }
  return NIIF_NONE;
}

}  // namespace

TVeskTrayIcon::TVeskTrayIcon(HWND owner) : FOwner(owner) {
  TaskbarCreatedMessage();
  FData = new NOTIFYICONDATAW{};
  FData->uTimeout = 3000;
  RegisterWindowClass(&InstanceWindowProc<TVeskTrayIcon>);
  FWindow = CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
  FData->cbSize = kRecordSize;
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
  NotifyShell(NIM_DELETE);
  if (FTimerRunning) KillTimer(FWindow, kAnimationTimer);
  if (FWindow != nullptr) {
    SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
    DestroyWindow(FWindow);
  }
  SetCurrentIcon(nullptr, false);
  if (FIcon != nullptr) DestroyIcon(FIcon);
  delete FData;
}

void TVeskTrayIcon::SetVisible(bool value) {
  if (value == FVisible) return;
  if (!FAnimate || FCurrentIcon == nullptr) SetDefaultIcon();
  if (value) {
    if (NotifyShell(NIM_ADD)) FVisible = true;
  } else {
    if (NotifyShell(NIM_DELETE)) FVisible = false;
  }
  if (FAnimate) {
    if (value) {
      FTimerRunning = SetTimer(FWindow, kAnimationTimer, FAnimateInterval, nullptr) != 0;
    } else if (FTimerRunning) {
      KillTimer(FWindow, kAnimationTimer);
      FTimerRunning = false;
    }
  }
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

void TVeskTrayIcon::SetIcon(HICON icon) {
  if (FIcon != nullptr) DestroyIcon(FIcon);
  FIcon = icon != nullptr ? CopyIcon(icon) : nullptr;
  SetCurrentIcon(FIcon != nullptr ? CopyIcon(FIcon) : nullptr, true);
  Refresh();
}

void TVeskTrayIcon::SetIcons(HIMAGELIST list) {
  if (list == FIconList) return;
  FIconList = list;
  if (FIconList != nullptr) {
    SetCurrentIcon(ImageList_GetIcon(FIconList, FIconIndex, ILD_NORMAL), true);
  } else {
    SetDefaultIcon();
  }
  Refresh();
}

void TVeskTrayIcon::SetIconIndex(int index) {
  if (index == FIconIndex) return;
  FIconIndex = index;
  if (FIconList != nullptr) SetCurrentIcon(ImageList_GetIcon(FIconList, FIconIndex, ILD_NORMAL), true);
  Refresh();
}

void TVeskTrayIcon::SetAnimate(bool value) {
  if (value == FAnimate) return;
  FAnimate = value;
  if (FIconList != nullptr && ImageList_GetImageCount(FIconList) > 0 && FVisible) {
    if (value) {
      FTimerRunning = SetTimer(FWindow, kAnimationTimer, FAnimateInterval, nullptr) != 0;
    } else if (FTimerRunning) {
      KillTimer(FWindow, kAnimationTimer);
      FTimerRunning = false;
    }
  }
  if (!value && FCurrentIcon != nullptr) {
    if (FIcon != nullptr) DestroyIcon(FIcon);
    FIcon = CopyIcon(FCurrentIcon);
  }
}

void TVeskTrayIcon::SetAnimateInterval(UINT milliseconds) {
  FAnimateInterval = milliseconds;
  if (FTimerRunning) SetTimer(FWindow, kAnimationTimer, FAnimateInterval, nullptr);
}

void TVeskTrayIcon::SetBalloonHint(const std::wstring& text) {
  if (text == FBalloonHint) return;
  FBalloonHint = text;
  CopyToField(FData->szInfo, FBalloonHint);
  NotifyShell(NIM_MODIFY);
}

void TVeskTrayIcon::SetBalloonTitle(const std::wstring& text) {
  if (text == FBalloonTitle) return;
  FBalloonTitle = text;
  CopyToField(FData->szInfoTitle, FBalloonTitle);
  NotifyShell(NIM_MODIFY);
}

void TVeskTrayIcon::ShowBalloonHint() {
  FData->uFlags |= NIF_INFO;
  FData->dwInfoFlags = InfoFlags(FBalloonFlags);
  NotifyShell(NIM_MODIFY);
}

void TVeskTrayIcon::Refresh() {
  FData->hIcon = FCurrentIcon;
  if (FVisible) NotifyShell(NIM_MODIFY);
}

void TVeskTrayIcon::SetCurrentIcon(HICON icon, bool owned) {
  if (FCurrentIcon != nullptr && FCurrentIconOwned) DestroyIcon(FCurrentIcon);
  FCurrentIcon = icon;
  FCurrentIconOwned = owned && icon != nullptr;
}

void TVeskTrayIcon::SetDefaultIcon() {
  if (FIcon == nullptr) {
    HICON large = nullptr;
    HICON small = nullptr;
    std::wstring exe = ExecutablePath();
    ExtractIconExW(exe.c_str(), 0, &large, &small, 1);
    if (large != nullptr) DestroyIcon(large);
    if (small != nullptr) {
      SetCurrentIcon(small, true);
    } else {
      SetCurrentIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)), false);
    }
  } else {
    SetCurrentIcon(CopyIcon(FIcon), true);
  }
  Refresh();
}

bool TVeskTrayIcon::NotifyShell(DWORD message) {
  // While the shell is starting there is no taskbar; waiting here keeps the caller's retry from
  // spinning.
  if (message == NIM_ADD && FindWindowW(L"Shell_TrayWnd", nullptr) == nullptr) Sleep(kTaskbarWaitMs);
  return Shell_NotifyIconW(message, FData) != FALSE;
}

LRESULT TVeskTrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_QUERYENDSESSION:
      return 1;
    case WM_ENDSESSION:
      if (wParam != FALSE && NotifyShell(NIM_DELETE)) FVisible = false;
      return 0;
    case WM_TIMER:
      if (wParam == kAnimationTimer) AnimationTick();
      return 0;
    case kCallbackMessage:
      HandleCallback(static_cast<UINT>(lParam));
      return 0;
    default:
      break;
  }
  if (message == TaskbarCreatedMessage() && FVisible) {
    // The shell was restarted and forgot the icon.
    NotifyShell(NIM_DELETE);
    NotifyShell(NIM_ADD);
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
    case WM_RBUTTONDOWN:
      mouse(OnMouseDown, TMouseButton::mbRight);
      break;
    case WM_RBUTTONUP:
      mouse(OnMouseUp, TMouseButton::mbRight);
      if (FPopupMenu != nullptr) {
        SetForegroundWindow(FOwner != nullptr ? FOwner : FWindow);
        MSG pending;
        while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) {
          TranslateMessage(&pending);
          DispatchMessageW(&pending);
        }
        TrackPopupMenu(FPopupMenu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0,
                       FOwner != nullptr ? FOwner : FWindow, nullptr);
      }
      break;
    case WM_MBUTTONDOWN:
      mouse(OnMouseDown, TMouseButton::mbMiddle);
      break;
    case WM_MBUTTONUP:
      mouse(OnMouseUp, TMouseButton::mbMiddle);
      break;
    case NIN_BALLOONHIDE:
    case NIN_BALLOONTIMEOUT:
      FData->uFlags &= ~static_cast<UINT>(NIF_INFO);
      break;
    case NIN_BALLOONUSERCLICK:
      if (OnBalloonClick) OnBalloonClick(*this);
      break;
    default:
      break;
  }
}

void TVeskTrayIcon::AnimationTick() {
  if (OnAnimate) OnAnimate(*this);
  int count = FIconList != nullptr ? ImageList_GetImageCount(FIconList) : 0;
  SetIconIndex(FIconIndex + 1 < count ? FIconIndex + 1 : 0);
}

}  // namespace vsm
