#include "ui/LayeredSurface_win.h"

namespace vsm {

bool TLayeredSurface::Resize(int width, int height) {
  if (image_ && image_->Width() == width && image_->Height() == height) return true;
  image_ = TImage::Create(width, height);
  return image_ != nullptr;
}

void TLayeredSurface::ApplyBackgroundAlpha(uint32_t background, uint8_t alpha) {
  if (!image_) return;
  GdiFlush();
  const uint32_t rgb = background & 0xFFFFFFu;
  auto channel = [alpha](uint32_t value) { return (value * alpha + 127) / 255; };
  const uint32_t translucent = (uint32_t{alpha} << 24) | (channel((rgb >> 16) & 0xFF) << 16) |
                               (channel((rgb >> 8) & 0xFF) << 8) | channel(rgb & 0xFF);
  ArgbBitmap& pixels = image_->Pixels();
  uint32_t* data = pixels.Data();
  const size_t count = static_cast<size_t>(pixels.Width()) * static_cast<size_t>(pixels.Height());
  for (size_t i = 0; i < count; ++i) {
    data[i] = (data[i] & 0xFFFFFFu) == rgb ? translucent : (data[i] | 0xFF000000u);
  }
}

void TLayeredSurface::Present(HWND window, POINT position) {
  if (!image_) return;
  SIZE size{image_->Width(), image_->Height()};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  // Only the pixels when the window stays where it is: giving the place again makes Wine reposition
  // the window, which takes the activation away and closes an open menu.
  const bool moved = !presented_ || position.x != place_.x || position.y != place_.y || size.cx != size_.cx ||
                     size.cy != size_.cy;
  UpdateLayeredWindow(window, nullptr, moved ? &position : nullptr, moved ? &size : nullptr, image_->DC(),
                      &origin, 0, &blend, ULW_ALPHA);
  presented_ = true;
  place_ = position;
  size_ = size;
}

}  // namespace vsm
