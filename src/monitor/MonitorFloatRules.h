#pragma once
// The floating strip's rules without the window: temperature text, cell widths and layout, the
// hit test, the drag threshold, where the strip is placed and how it slides out at an edge.
// Figures are in 96-dpi units and scaled by the strip's TDpiScale; screen positions are pixels.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ArgbBitmap.h"
#include "monitor/MoniItem.h"
#include "ui/DpiScale.h"

namespace vsm {

// The text a cell's width is measured from, and what is added to the measured width (the arrow,
// the bar chart).
std::string_view CellTemplate(TMoniItem item);
int CellExtraWidth(TMoniItem item);  // 96-dpi units

inline constexpr int kStripHeight = 25;
inline constexpr int kStripDefaultWidth = 238;

struct TStripLayout {
  std::array<int, kMoniItemCount> widths{};  // cell widths, pixels
  std::array<Rect, kMoniItemCount> cells{};  // the cell of each shown item
  int width = 0;                             // the strip's full width
};

// Measures the items of `items` with `textWidth` (pixels of a UTF-8 text in the strip's font) and
// lays them out from x = 2, one gap of 10 between cells; the strip is 5 + sum(cell + 10) - 10 wide.
TStripLayout LayoutStrip(TMoniItemSet items, const std::function<int(std::string_view)>& textWidth,
                         TDpiScale scale);

// The item whose cell, widened by 5 on each side, holds the point; the first in enumeration order
// wins; miNone when none does.
TMoniItem HitTestStrip(const TStripLayout& layout, TMoniItemSet items, Point point, TDpiScale scale);

// A move with the left button held starts dragging once it is more than 2 pixels away from
// where the button went down, horizontally or vertically.
bool StartsDrag(Point pressed, Point now, TDpiScale scale);

// The temperature the strip shows: the processor's if it has a sensor, else the disks', else the
// graphics card's, else a thermal zone's, else the processor's cell (left empty).
struct TSensorPresence {
  bool cpu = false;
  bool disks = false;
  bool graphics = false;
  bool board = false;
  bool zones = false;  // a thermal zone reads something
};
TMoniItem ChooseTemperatureItem(const TSensorPresence& presence);

// The values a strip cell shows; a missing value leaves its part of the cell empty.
struct TStripValues {
  std::optional<int64_t> recvPerS, sendPerS;
  std::optional<int> memoryRate;
  std::optional<double> temperature;  // of the item shown, degrees Celsius
};
// The text of a cell ("" when the cell is empty): the rates as byte size + "/s", "RAM n%", the
// word "CPU", or the label and the temperature rounded half to even.
std::string StripCellText(TMoniItem item, const TStripValues& values, std::string_view tempUnit,
                          std::string_view decimalSeparator);

// Where the strip starts: the default corner of the primary work area when both stored
// coordinates are -1; else the stored place, raised to the work-area top and moved left so it
// does not pass the work-area right. A place on no monitor at all (one that is gone) falls back
// to the default corner, so the strip is never lost.
Point PlaceStrip(int floatX, int floatY, int width, int height, const Rect& primaryWorkArea,
                 const std::vector<Rect>& monitors, TDpiScale scale);

// Sliding out of sight at the top or right edge of the work area.
enum class TSlideDirection : int { None = 0, Up = 1, Right = 2 };

struct TSlideStart {
  bool decided = false;  // false: nothing changes, not even the direction
  bool start = false;    // start the 30 ms slide timer
  TSlideDirection direction = TSlideDirection::None;
  std::optional<int> left;  // a new Left before sliding
};
// On mouse leave, once the popup allows it: nothing when the cursor is within 10 pixels of the
// left edge, the left button is down or a slide runs; up when the top is at most 5; right when
// the strip reaches within 3 pixels of the work-area right; else the direction is cleared.
TSlideStart DecideSlide(const Rect& strip, int cursorX, bool leftButtonDown, bool sliding,
                        const Rect& workArea, TDpiScale scale);

struct TSlideStep {
  Rect strip;
  bool done = false;
};
// One 30 ms step: up by 10 until the strip is above the edge, then a 5-pixel sliver stays; right:
// 40 narrower until below 40, then a 10-pixel sliver, always flush with the work-area right.
TSlideStep StepSlide(const Rect& strip, TSlideDirection direction, int workAreaRight, TDpiScale scale);

// Mouse enter on a slid-out strip: back with its top at -5, or at full width 3 pixels past the
// right edge.
Rect ReturnFromSlide(const Rect& strip, TSlideDirection direction, int fullWidth, int workAreaRight,
                     TDpiScale scale);

}  // namespace vsm
