#pragma once
// Layout of the skinned message box: a title bar, an icon beside the wrapped text, and its buttons
// right-aligned at the bottom.
#include <vector>

#include "base/ArgbBitmap.h"
#include "ui/DpiScale.h"

namespace vsm {

struct TMessageBoxLayout {
  Rect window;  // client size from (0, 0)
  Rect title;
  Rect close;  // the close button in the title bar
  Rect icon;
  Rect text;
  std::vector<Rect> buttons;  // left to right
};

// `textHeight`: height of the text wrapped to MessageBoxTextWidth.
int MessageBoxTextWidth(TDpiScale scale);
TMessageBoxLayout LayoutMessageBox(int textHeight, int buttonCount, TDpiScale scale);

}  // namespace vsm
