#include "support/CaptureSelection.h"

#include <algorithm>

namespace vsm {

Rect SelectionRect(Point pressed, Point current) {
  return {std::min(pressed.x, current.x), std::min(pressed.y, current.y), std::max(pressed.x, current.x),
          std::max(pressed.y, current.y)};
}

bool IsEmptySelection(const Rect& selection) {
  return selection.right <= selection.left || selection.bottom <= selection.top;
}

Rect SelectionTintRect(const Rect& selection) {
  return {selection.left + 1, selection.top + 1, selection.right, selection.bottom};
}

}  // namespace vsm
