#pragma once
// Images as premultiplied 32-bit DIB sections, drawn with alpha blending. PNG images come from
// the executable's resources through WIC; a missing or damaged image yields no image, and
// drawing goes on without it.
#include <windows.h>

#include <cstddef>
#include <memory>

#include "base/ArgbBitmap.h"
#include "ui/DpiScale.h"
#include "ui/Gdi_win.h"

namespace vsm {

class TImage {
 public:
  // Premultiplied pixels, all transparent. Null when the DIB cannot be made.
  static std::unique_ptr<TImage> Create(int width, int height);
  // A PNG resource (type RT_RCDATA) of this executable; null when missing or undecodable.
  static std::unique_ptr<TImage> FromPngResource(int resourceId);
  // PNG bytes; null when undecodable.
  static std::unique_ptr<TImage> FromPngBytes(const void* data, size_t size);
  // The image drawn at twice its size when the scale is above 1.25 and there is one, else the
  // image itself: scaled down, it stays sharp where the plain one would be stretched.
  static std::unique_ptr<TImage> FromPngResourceFor(int resourceId, TDpiScale scale);
  // An icon's colour and mask (or alpha) as a premultiplied image; null without an icon.
  static std::unique_ptr<TImage> FromIcon(HICON icon, int size);

  ~TImage();
  TImage(const TImage&) = delete;
  TImage& operator=(const TImage&) = delete;

  int Width() const { return pixels_->Width(); }
  int Height() const { return pixels_->Height(); }
  HDC DC() const { return dc_; }
  ArgbBitmap& Pixels() { return *pixels_; }

  // Blends the image, stretched, into the target rectangle.
  void Draw(HDC target, const RECT& destination) const;
  // Blends a part of the image into the target rectangle.
  void DrawPart(HDC target, const RECT& source, const RECT& destination) const;

 private:
  TImage() = default;
  HDC dc_ = nullptr;
  TBitmapHandle bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
  std::unique_ptr<ArgbBitmap> pixels_;
};

// Draws an image when there is one.
inline void DrawImage(const std::unique_ptr<TImage>& image, HDC target, const RECT& destination) {
  if (image) image->Draw(target, destination);
}

}  // namespace vsm
