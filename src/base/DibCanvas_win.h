#pragma once
// A chart canvas on a 32-bit top-down DIB section: the core writes the pixels directly, pen lines
// and text go through GDI on the same pixels. GDI leaves the alpha byte of what it draws at 0, so
// every pixel a line or text changed is made opaque again afterwards.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/ChartCanvas.h"

namespace vsm {

class TDibCanvas final : public ChartCanvas {
 public:
  // All pixels start as 0 (transparent black). Without a DIB (creation failed) the bitmap is
  // empty and drawing does nothing.
  TDibCanvas(int width, int height);
  ~TDibCanvas() override;
  TDibCanvas(const TDibCanvas&) = delete;
  TDibCanvas& operator=(const TDibCanvas&) = delete;

  HDC DC() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }

  ArgbBitmap& Pixels() override { return *pixels_; }
  void Polyline(const Point* points, size_t count, uint32_t penArgb) override;
  int TextWidth(std::string_view text, int fontSize) override;
  void DrawText(int x, int y, std::string_view text, int fontSize, FontColour colour,
                unsigned flags) override;
  std::string DecimalSeparator() const override;

 private:
  bool SelectFont(int fontSize);
  void SaveBox(Rect box);
  void MakeChangedPixelsOpaque();

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  std::unique_ptr<ArgbBitmap> pixels_;
  HFONT font_ = nullptr;
  int fontSize_ = 0;
  Rect savedBox_;
  std::vector<uint32_t> saved_;
  std::vector<POINT> gdiPoints_;  // reused between lines
};

}  // namespace vsm
