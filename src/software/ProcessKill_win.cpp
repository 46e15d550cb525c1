#include "software/ProcessKill_win.h"

#include <windows.h>

#include "base/handle_win.h"
#include "software/ProcessRules.h"
#include "software/SystemProcessQuery_win.h"

namespace vsm {

namespace {

void AskWindowsToClose(uint32_t processId) {
  constexpr int kCloseRequests = 10;
  HWND window = GetWindow(GetDesktopWindow(), GW_CHILD);
  while (window != nullptr) {
    HWND next = GetWindow(window, GW_HWNDNEXT);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (GetParent(window) == nullptr && owner == processId) {
      for (int i = 0; i < kCloseRequests && IsWindow(window); ++i) {
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
    }
    window = next;
  }
}

}  // namespace

bool TerminateProcessById(uint32_t processId) { return TerminateProcessOf({processId, 0}); }

bool TerminateProcessOf(const TProcessIdentity& identity) {
  // Only the rights needed: the full access mask of newer headers fails on Windows XP. The open
  // handle keeps the id from going to another process while it is checked.
  const TKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, identity.id));
  if (!process) {
    // No such process any more counts as ended; being refused does not, unless the id has
    // gone to another process meanwhile. A process that refuses may still close its windows.
    if (GetLastError() != ERROR_ACCESS_DENIED || !IsSameProcessRunning(identity)) return true;
    AskWindowsToClose(identity.id);
    return false;
  }
  if (!IsSameProcessRunning(identity)) {
    // The process shown has ended and its id is another's now: that one is left alone.
    return true;
  }
  AskWindowsToClose(identity.id);
  bool ended = TerminateProcess(process.Get(), 0) != FALSE;
  // A process that has already exited cannot be terminated, but it is gone.
  if (!ended) ended = WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
  return ended;
}

bool KillProcessItem(TProcessItem* item) {
  if (item == nullptr || IsProtectedProcess(item->ExeName)) return false;
  // The item keeps its handle: the engine's worker may be measuring through it right now, so it
  // is closed only when the item is released after the process has left the list.
  return TerminateProcessOf(IdentityOf(*item));
}

}  // namespace vsm
