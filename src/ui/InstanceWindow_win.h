#pragma once
// Windows whose messages go to a C++ object: the object is passed as the creation parameter, is
// told its window at WM_NCCREATE, receives every message through HandleMessage (but the items of
// an owner-drawn menu that is up over the window, which the menu draws itself) and, when it has
// a DetachWindow, is told at WM_NCDESTROY that the window is gone. TWindow (Window_win.h) is the
// base every window of the program builds on; this template is its window procedure.
#include <windows.h>

namespace vsm {

// The owner-drawn menu (PopupMenu_win.h) that is up over `window` measures or draws its item;
// true when the message was about one of its items.
bool OwnerDrawOpenMenu(HWND window, UINT message, LPARAM lParam);

// T provides `void AttachWindow(HWND)` and `LRESULT HandleMessage(UINT, WPARAM, LPARAM)`; a class
// that keeps them private befriends this function.
template <class T>
LRESULT CALLBACK InstanceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->AttachWindow(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if ((message == WM_MEASUREITEM || message == WM_DRAWITEM) && OwnerDrawOpenMenu(window, message, lParam)) {
    return TRUE;
  }
  const LRESULT result = self->HandleMessage(message, wParam, lParam);
  if constexpr (requires { self->DetachWindow(); }) {
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->DetachWindow();
    }
  }
  return result;
}

}  // namespace vsm
