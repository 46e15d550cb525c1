#pragma once
// The point of a mouse message: signed client coordinates in lParam (as windowsx.h's
// GET_X_LPARAM/GET_Y_LPARAM, whose header also redefines names such as SelectFont).
#include <windows.h>

#include "base/ArgbBitmap.h"

namespace vsm {

inline Point MousePoint(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace vsm
