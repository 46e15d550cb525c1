#include "base/ArgbBitmap.h"

#include <algorithm>

namespace vsm {

ArgbBitmap::ArgbBitmap(int width, int height, uint32_t fill)
    : owned_(static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0)), fill),
      pixels_(owned_.data()), width_(std::max(width, 0)), height_(std::max(height, 0)) {}

ArgbBitmap::ArgbBitmap(uint32_t* pixels, int width, int height)
    : pixels_(pixels), width_(pixels == nullptr ? 0 : std::max(width, 0)),
      height_(pixels == nullptr ? 0 : std::max(height, 0)) {}

uint32_t ArgbBitmap::Pixel(int x, int y) const {
  return Contains(x, y)
             ? pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)]
             : 0;
}

void ArgbBitmap::SetPixel(int x, int y, uint32_t argb) {
  if (Contains(x, y))
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = argb;
}

void ArgbBitmap::Fill(uint32_t argb) {
  std::fill(pixels_, pixels_ + static_cast<size_t>(width_) * static_cast<size_t>(height_), argb);
}

void ArgbBitmap::FrameRect(const Rect& rect, uint32_t argb) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  for (int x = rect.left; x < rect.right; ++x) {
    SetPixel(x, rect.top, argb);
    SetPixel(x, rect.bottom - 1, argb);
  }
  for (int y = rect.top; y < rect.bottom; ++y) {
    SetPixel(rect.left, y, argb);
    SetPixel(rect.right - 1, y, argb);
  }
}

}  // namespace vsm
