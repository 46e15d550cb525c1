#pragma once
// The surface of a layered window (one with per-pixel alpha, shown through UpdateLayeredWindow).
// A frame is painted opaque on a known background colour, with GDI text and images alike; then
// every pixel still of the background colour takes the background's alpha and everything drawn
// over it is opaque. That also repairs the alpha byte GDI text leaves behind.
#include <windows.h>

#include <memory>

#include "ui/Image_win.h"

namespace vsm {

class TLayeredSurface {
 public:
  // Keeps the pixels when the size is unchanged, so nothing is allocated per frame.
  bool Resize(int width, int height);
  HDC DC() const { return image_ ? image_->DC() : nullptr; }
  ArgbBitmap* Pixels() { return image_ ? &image_->Pixels() : nullptr; }

  // Call after painting: pixels of `background` (opaque ARGB) become it at `alpha`,
  // premultiplied; all others become opaque.
  void ApplyBackgroundAlpha(uint32_t background, uint8_t alpha);
  // Shows the surface as the window's whole content with its top-left at `position`.
  void Present(HWND window, POINT position);

 private:
  std::unique_ptr<TImage> image_;
  bool presented_ = false;
  POINT place_{};
  SIZE size_{};
};

}  // namespace vsm
