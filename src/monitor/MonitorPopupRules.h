#pragma once
// The popup's rules without the window: where it opens, which process rows it lists and how
// high it gets, the memory pie's sector, the temperature bars and the frame's nine slices.
// Figures are in 96-dpi units and scaled by TDpiScale; screen positions are pixels.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/ArgbBitmap.h"
#include "monitor/MoniItem.h"
#include "software/ProcessItem.h"
#include "ui/DpiScale.h"

namespace vsm {

inline constexpr int kPopupRowHeight = 25;
inline constexpr int kPopupMaxRows = 9;
inline constexpr int kPopupHeaderHeight = 27;
inline constexpr int kPopupFrameExtra = 20;
inline constexpr int kPopupDefaultWidth = 400;
inline constexpr int kPopupDefaultHeight = 422;

struct TPopupPlacement {
  int left = 0;
  int top = 0;
  int frameTag = 0;  // 0: opened below the strip, 1: above
};
// Below the strip when it fits above the work-area bottom, else above it; the left edge follows
// the strip's but stays inside the work area; the top never goes above the work area.
TPopupPlacement PlacePopup(const Rect& strip, int popupWidth, int popupHeight, const Rect& workArea);

// Height of the chart panel under the list: 90 for the rates and the CPU, 120 for memory, 0 else.
int ChartPanelHeight(TMoniItem item);

// Sorts the processes by the item's key, largest first (CPU shares less than half a percent apart
// count as equal; empty entries go last), and returns the rows to list: at most nine, and for the
// rates none from the first process whose rate is unknown (-1) on.
std::vector<TProcessItemRef> SelectProcessRows(std::vector<TProcessItemRef>& processes, TMoniItem item);

// The value text of a row: rates as byte size + "/s", memory as byte size, CPU as "%.1f%%".
std::string ProcessRowValue(const TProcessItem& process, TMoniItem item, std::string_view decimalSeparator);

// Content heights (without the frame's 20): rows + 1 header row of 25 each plus the chart panel;
// 29 + 50 per temperature + 40 for the temperature panel.
int ProcessContentHeight(int rows, TMoniItem item, TDpiScale scale);
int TemperatureContentHeight(int temperatures, TDpiScale scale);

// Angle of the pie's "used" sector: round(used / total * 360) degrees; 0 for no total.
int PieAngle(uint64_t used, uint64_t total);
// The sector polygon for `angle` degrees in the 100 x 100 square at (left, top), measured from
// 9 o'clock clockwise; it starts at the left middle and ends at the centre.
std::vector<Point> PieSectorPolygon(int angle, int left, int top);

// One reading of the temperature panel and where its labels go: the first at 29 from the
// panel's top, each next 50 lower; the bar lies 10 above its labels.
struct TPanelTemperature {
  TMoniItem item;
  double celsius;
  std::string zone = {};  // a thermal zone's name
};
struct TPanelTemperatureRow {
  TMoniItem item;
  double celsius;  // as read, for the text
  double rounded;  // whole degrees, for the bar
  int top;         // 96-dpi units from the panel's top
  std::string zone = {};
};
std::vector<TPanelTemperatureRow> LayoutTemperaturePanel(const std::vector<TPanelTemperature>& readings);

// Bar colour (0xAARRGGBB) of a temperature in degrees Celsius: green below 50, amber to 69, red
// from 70.
uint32_t TemperatureBarColour(double celsius);
// Length of a bar for `celsius` on a 0..100 scale over `span` pixels (it may pass the span).
int TemperatureBarLength(double celsius, int span);

// The nine slices of a frame image drawn over a target: in each direction the image's first 10
// pixels and those from 20 on keep their size (scaled), 10..20 stretches. Pairs of (source, target).
struct TSlice {
  Rect source;
  Rect target;
};
std::vector<TSlice> NineSlices(int imageWidth, int imageHeight, const Rect& target, TDpiScale scale);

}  // namespace vsm
