#include "app/EntryRoutine_win.h"

namespace vsm {

int RunEntryRoutine(HINSTANCE) {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace vsm
