#pragma once
// The geometry of the rectangle the user drags on the screenshot capture window: from the point
// where the left button went down to where the pointer is now, in screen pixels.
#include <cstdint>

#include "base/ArgbBitmap.h"

namespace vsm {

// The selection's outline (0xAARRGGBB).
inline constexpr uint32_t kSelectionOutline = 0xFF00F8F8;
// The tint laid over the selection: the outline's colour at a quarter opacity, premultiplied.
inline constexpr uint32_t kSelectionTint = 0x40003E3E;

// The rectangle between the two points with left <= right and top <= bottom, whichever way the
// pointer was dragged; the edges are the points themselves, so its size is their distance.
Rect SelectionRect(Point pressed, Point current);
// Nothing to capture: no width or no height.
bool IsEmptySelection(const Rect& selection);
// Where the tint goes: from one pixel inside the top-left corner (past the outline) to the
// bottom-right corner. Empty for a selection of one pixel.
Rect SelectionTintRect(const Rect& selection);

}  // namespace vsm
