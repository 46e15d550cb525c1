#include "base/synchronize_win.h"

namespace vsm {

namespace {

constexpr UINT kRunCallMessage = WM_APP + 1;

LRESULT CALLBACK SynchronizeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunCallMessage) {
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND SynchronizeWindow() {
  static const HWND window = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = SynchronizeWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VskSynchronize";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
  }();
  return window;
}

void Synchronize(HWND window, const std::function<void()>& call) {
  if (!call) return;
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    call();
    return;
  }
  SendMessageW(window, kRunCallMessage, 0, reinterpret_cast<LPARAM>(&call));
}

}  // namespace vsm
