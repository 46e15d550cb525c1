#include "base/com_win.h"

namespace vsm {

void EnterComForThread() {
  thread_local const bool entered = [] {
    // A thread that already has an apartment keeps it (RPC_E_CHANGED_MODE).
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    return true;
  }();
  (void)entered;
}

}  // namespace vsm
