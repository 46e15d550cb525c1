#pragma once
// The program's notification-area icon: talks to the shell with Shell_NotifyIconW through a
// hidden window, survives a restart of the shell ("TaskbarCreated"), waits for the taskbar when
// the program starts before it, and removes itself at log-off.
#include <windows.h>
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

// What the icon needs from the shell: whether a taskbar exists, the notification call, and
// letting one message from a lower-integrity process through to a window of this (elevated)
// process. SystemTrayShell() is the real one.
struct TTrayShell {
  std::function<bool()> taskbarExists;
  std::function<bool(DWORD message, NOTIFYICONDATAW& record)> notifyIcon;
  std::function<bool(HWND window, UINT message)> allowMessage;
};
TTrayShell SystemTrayShell();

class TVeskTrayIcon {
 public:
  // Callback message of the notification record.
  static constexpr UINT kCallbackMessage = 1025;
  // Window class of the hidden window, so that tests can find it.
  static constexpr const wchar_t* kWindowClass = L"TVeskTrayIconWindow";
  // While the icon is wanted but not in the notification area (no taskbar yet, or the shell
  // refused it), adding is tried again at this interval, from a timer of the hidden window.
  static constexpr UINT kAddRetryMs = 1000;

  using TNotifyEvent = std::function<void(TVeskTrayIcon&)>;
  using TMouseEvent = std::function<void(TVeskTrayIcon&, TMouseButton, TShiftState, int x, int y)>;
  using TMouseMoveEvent = std::function<void(TVeskTrayIcon&, TShiftState, int x, int y)>;

  explicit TVeskTrayIcon(TTrayShell shell = SystemTrayShell());
  ~TVeskTrayIcon();
  TVeskTrayIcon(const TVeskTrayIcon&) = delete;
  TVeskTrayIcon& operator=(const TVeskTrayIcon&) = delete;

  // Whether the icon is in the notification area now.
  bool Visible() const { return FVisible; }
  // True adds the icon; when that fails it is added as soon as the shell takes it, without
  // further calls. False removes it.
  void SetVisible(bool value);
  const std::wstring& Hint() const { return FHint; }
  void SetHint(const std::wstring& text);
  void Refresh();

  HWND Handle() const { return FWindow; }
  const NOTIFYICONDATAW& Record() const { return *FData; }

  TNotifyEvent OnClick, OnDblClick;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 private:
  template <class T>
  friend LRESULT CALLBACK InstanceWindowProc(HWND, UINT, WPARAM, LPARAM);
  void AttachWindow(HWND window) { FWindow = window; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void HandleCallback(UINT mouseMessage);
  void SetDefaultIcon();
  // Adds the icon if it is wanted and not there; on failure the retry timer runs.
  void TryAdd();
  bool AddToShell();
  bool NotifyShell(DWORD message);
  void SetRetrying(bool value);

  TTrayShell FShell;
  bool FIsClicked = false;
  HICON FCurrentIcon = nullptr;
  bool FCurrentIconOwned = false;
  NOTIFYICONDATAW* FData = nullptr;
  std::wstring FHint;
  bool FWanted = false;
  bool FVisible = false;
  bool FRetrying = false;
  HWND FWindow = nullptr;
};

// Copies text into a fixed notification-record field, cut to the field's capacity minus the
// terminator (127 characters of tip).
template <size_t N>
void CopyToField(wchar_t (&field)[N], const std::wstring& text) {
  size_t length = text.size() < N - 1 ? text.size() : N - 1;
  text.copy(field, length);
  field[length] = L'\0';
}

}  // namespace vsm
