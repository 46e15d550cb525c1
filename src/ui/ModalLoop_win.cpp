#include "ui/ModalLoop_win.h"

#include <windows.h>

namespace vsm {

bool RunModalLoop(const std::function<bool()>& finished) {
  MSG message{};
  while (!finished()) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

}  // namespace vsm
