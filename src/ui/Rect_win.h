#pragma once
// A core rectangle as the API's RECT (the same edges: right and bottom just outside).
#include <windows.h>

#include "base/ArgbBitmap.h"

namespace vsm {

inline RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace vsm
