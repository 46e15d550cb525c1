#pragma once
// The window base of every window of the program. A window class is registered once from a small
// traits record; the C++ object is attached at WM_NCCREATE and detached at WM_NCDESTROY. Owner-
// draw, notification and colour messages that a child sends to its parent are reflected to the
// control object registered for that child, so an owner-drawn control paints itself. The window
// knows the DPI of the monitor it is on and follows it when it moves to another.
#include <windows.h>

#include "ui/DpiScale.h"
#include "ui/InstanceWindow_win.h"

namespace vsm {

struct TWindowClassTraits {
  const wchar_t* name = nullptr;
  UINT style = 0;
  LPCWSTR cursor = IDC_ARROW;  // a system cursor
  int iconResource = 0;        // 0: no icon
};

// Receives the messages a child window sends to its parent about itself.
class TReflectTarget {
 public:
  virtual ~TReflectTarget() = default;
  // True when handled; `result` is what the parent returns.
  virtual bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};

// A plain white child that hosts pages or a browser filling it.
HWND CreatePanel(HWND parent, const RECT& bounds);

// Moves a top-level window to the middle of the primary monitor's work area.
void CentreOnWorkArea(HWND window);

// Registers `target` for the child window `child` (null unregisters).
void SetReflectTarget(HWND child, TReflectTarget* target);

class TWindow {
 public:
  TWindow() = default;
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return window_; }
  TDpiScale Scale() const { return scale_; }

 protected:
  // Registers the class (once per name) and creates the window; false when it could not.
  bool CreateWindowFrom(const TWindowClassTraits& traits, DWORD exStyle, DWORD style, const RECT& bounds,
                        HWND parent);
  // Every message not reflected; the default hands it to DefWindowProcW.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The window's DPI changed (it moved to another monitor): `suggested` is the system's new
  // window rectangle. The default takes it.
  virtual void OnDpiChanged(const RECT& suggested);

 private:
  template <class T>
  friend LRESULT CALLBACK InstanceWindowProc(HWND, UINT, WPARAM, LPARAM);
  void AttachWindow(HWND window);
  void DetachWindow() { window_ = nullptr; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  TDpiScale scale_;
};

}  // namespace vsm
