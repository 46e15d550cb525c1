#pragma once
// A 32-bit ARGB pixel buffer, rows top-down, one uint32_t (0xAARRGGBB) per pixel. It either owns
// its pixels or views memory that someone else owns (for instance a DIB section, so that GDI and
// the core draw into the same pixels). Writes outside the bitmap are ignored.
#include <cstdint>
#include <vector>

namespace vsm {

// Edges as GDI has them: left and top inside, right and bottom just outside.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const Rect&) const = default;
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

class ArgbBitmap {
 public:
  ArgbBitmap(int width, int height, uint32_t fill = 0);
  // A view: `pixels` must hold width * height values and outlive the bitmap.
  ArgbBitmap(uint32_t* pixels, int width, int height);
  ArgbBitmap(const ArgbBitmap&) = delete;
  ArgbBitmap& operator=(const ArgbBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // 0 outside the bitmap.
  uint32_t Pixel(int x, int y) const;
  void SetPixel(int x, int y, uint32_t argb);
  void Fill(uint32_t argb);
  // A one-pixel outline just inside the rectangle's edges.
  void FrameRect(const Rect& rect, uint32_t argb);

  uint32_t* Data() { return pixels_; }
  const uint32_t* Data() const { return pixels_; }

 private:
  std::vector<uint32_t> owned_;
  uint32_t* pixels_;
  int width_;
  int height_;
};

}  // namespace vsm
