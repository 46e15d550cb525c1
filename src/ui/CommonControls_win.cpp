#include "ui/CommonControls_win.h"

#include <commctrl.h>

#include "base/library_win.h"

namespace vsm {

bool InitCommonControlClasses(DWORD classes) {
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  // By name, not by path: the manifest's activation context sends the name to version 6 in the
  // side-by-side store; without one, the restricted search order finds the system folder's copy.
  static const InitFn init = BindFunction<InitFn>(LoadLibraryW(L"comctl32.dll"), "InitCommonControlsEx");
  if (init == nullptr) return false;
  const INITCOMMONCONTROLSEX controls{sizeof controls, classes};
  return init(&controls) != FALSE;
}

}  // namespace vsm
