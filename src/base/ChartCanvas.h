#pragma once
// Where the charts draw: pixels go straight into the ARGB bitmap, pen lines and text go through
// the platform's renderer (GDI on a DIB section on Windows, a recording fake in tests).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/ArgbBitmap.h"

namespace vsm {

// A font colour is a plain ARGB value or one of the system's colours by index.
struct FontColour {
  uint32_t argb = 0xFF000000;
  int systemIndex = -1;  // >= 0: the system colour of that index, argb is ignored
};

// The system's window background colour (index 5).
inline constexpr FontColour kWindowFontColour{0, 5};

// Text flag: draw without clipping to the given rectangle.
inline constexpr unsigned kTextNoClip = 0x100;

class ChartCanvas {
 public:
  virtual ~ChartCanvas() = default;
  virtual ArgbBitmap& Pixels() = 0;
  // A one-pixel pen line through the points in order.
  virtual void Polyline(const Point* points, size_t count, uint32_t penArgb) = 0;
  // Width in pixels of the text in the canvas font at the given point size.
  virtual int TextWidth(std::string_view text, int fontSize) = 0;
  // Draws one line of text with its top-left corner at (x, y).
  virtual void DrawText(int x, int y, std::string_view text, int fontSize, FontColour colour,
                        unsigned flags) = 0;
  // The decimal separator of numbers drawn on this canvas (the user's locale on Windows).
  virtual std::string DecimalSeparator() const { return "."; }
};

}  // namespace vsm
