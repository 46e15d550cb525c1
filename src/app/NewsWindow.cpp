#include "app/NewsWindow.h"

namespace vsm {

TNewsWindowLayout NewsWindowLayout(int32_t width, int32_t height, int32_t color) {
  TNewsWindowLayout layout;
  const auto sensible = [](int32_t side) { return side > 0 && side <= kMaxNewsClientSide; };
  if (sensible(width) && sensible(height)) {
    layout.clientWidth = width;
    layout.clientHeight = height;
  }
  if (color > 0 && color <= 0xFFFFFF) layout.background = static_cast<uint32_t>(color);
  return layout;
}

}  // namespace vsm
