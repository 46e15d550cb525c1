#pragma once
// Windows whose messages go to a C++ object: the object is passed as the creation parameter, is
// told its window at WM_NCCREATE and receives every message through HandleMessage.
#include <windows.h>

namespace vsm {

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
  return self->HandleMessage(message, wParam, lParam);
}

}  // namespace vsm
