#pragma once
// The program's notification-area icon: talks to the shell with Shell_NotifyIconW through a
// hidden window, survives a restart of the shell ("TaskbarCreated"), waits for the taskbar when
// the program starts before it, and removes itself at log-off.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "ui/InstanceWindow_win.h"

namespace vsm {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Keyboard and mouse state passed with the mouse events, as a bit set.
enum TShiftStateBits : unsigned {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
};
using TShiftState = unsigned;

enum class TBalloonFlags { bfNone, bfInfo, bfWarning, bfError };

class TVeskTrayIcon {
 public:
  // Callback message of the notification record.
  static constexpr UINT kCallbackMessage = 1025;
  // Window class of the hidden window, so that tests can find it.
  static constexpr const wchar_t* kWindowClass = L"TVeskTrayIconWindow";

  using TNotifyEvent = std::function<void(TVeskTrayIcon&)>;
  using TMouseEvent = std::function<void(TVeskTrayIcon&, TMouseButton, TShiftState, int x, int y)>;
  using TMouseMoveEvent = std::function<void(TVeskTrayIcon&, TShiftState, int x, int y)>;

  explicit TVeskTrayIcon(HWND owner);
  ~TVeskTrayIcon();
  TVeskTrayIcon(const TVeskTrayIcon&) = delete;
  TVeskTrayIcon& operator=(const TVeskTrayIcon&) = delete;

  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  const std::wstring& Hint() const { return FHint; }
  void SetHint(const std::wstring& text);
  void SetIcon(HICON icon);
  void SetIcons(HIMAGELIST list);
  int IconIndex() const { return FIconIndex; }
  void SetIconIndex(int index);
  bool Animate() const { return FAnimate; }
  void SetAnimate(bool value);
  UINT AnimateInterval() const { return FAnimateInterval; }
  void SetAnimateInterval(UINT milliseconds);
  void SetBalloonHint(const std::wstring& text);
  void SetBalloonTitle(const std::wstring& text);
  UINT BalloonTimeout() const { return FData->uTimeout; }
  void SetBalloonTimeout(UINT milliseconds) { FData->uTimeout = milliseconds; }
  void SetBalloonFlags(TBalloonFlags flags) { FBalloonFlags = flags; }
  void ShowBalloonHint();
  // The built-in right-click menu; the program leaves it empty and pops up its own.
  void SetPopupMenu(HMENU menu) { FPopupMenu = menu; }
  void Refresh();

  HWND Handle() const { return FWindow; }
  const NOTIFYICONDATAW& Record() const { return *FData; }

  TNotifyEvent OnClick, OnDblClick, OnBalloonClick, OnAnimate;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 private:
  template <class T>
  friend LRESULT CALLBACK InstanceWindowProc(HWND, UINT, WPARAM, LPARAM);
  void AttachWindow(HWND window) { FWindow = window; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void HandleCallback(UINT mouseMessage);
  void AnimationTick();
  void SetDefaultIcon();
  bool NotifyShell(DWORD message);
  void SetCurrentIcon(HICON icon, bool owned);

  bool FAnimate = false;
  std::wstring FBalloonHint;
  std::wstring FBalloonTitle;
  TBalloonFlags FBalloonFlags = TBalloonFlags::bfNone;
  bool FIsClicked = false;
  HICON FCurrentIcon = nullptr;
  bool FCurrentIconOwned = false;
  NOTIFYICONDATAW* FData = nullptr;
  HICON FIcon = nullptr;
  HIMAGELIST FIconList = nullptr;
  HMENU FPopupMenu = nullptr;
  UINT FAnimateInterval = 1000;
  bool FTimerRunning = false;
  std::wstring FHint;
  int FIconIndex = 0;
  bool FVisible = false;
  HWND FOwner = nullptr;
  HWND FWindow = nullptr;
};

// Copies text into a fixed notification-record field, cut to the field's capacity minus the
// terminator (127 characters of tip, 255 of balloon text, 63 of balloon title).
template <size_t N>
void CopyToField(wchar_t (&field)[N], const std::wstring& text) {
  size_t length = text.size() < N - 1 ? text.size() : N - 1;
  text.copy(field, length);
  field[length] = L'\0';
}

}  // namespace vsm
