#include "monitor/MonitorPopupRules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "base/ByteSize.h"
#include "base/DecimalText.h"
#include "base/text.h"

namespace vsm {

namespace {

bool IsRate(TMoniItem item) { return item == miRecv || item == miSend; }

double SortKey(const TProcessItem& process, TMoniItem item) {
  switch (item) {
    case miRecv: return process.RecvDataPerS;
    case miSend: return process.SendDataPerS;
    case miMemory: return process.Memoryuse;
    default: return process.CPUuse;
  }
}

// Whether `a` sorts before `b`: a larger key, with CPU shares compared by their difference
// rounded to a whole percent.
bool SortsBefore(const TProcessItemRef& a, const TProcessItemRef& b, TMoniItem item) {
  if (a == nullptr) return false;
  if (b == nullptr) return true;
  const double difference = SortKey(*a, item) - SortKey(*b, item);
  return (item == miCpu ? std::nearbyint(difference) : difference) > 0;
}

}  // namespace

TPopupPlacement PlacePopup(const Rect& strip, int popupWidth, int popupHeight, const Rect& workArea) {
  TPopupPlacement placement;
  const int x = std::max(strip.left, workArea.left);
  placement.left = x + popupWidth < workArea.right ? x : workArea.right - popupWidth;
  if (strip.bottom + popupHeight < workArea.bottom) {
    placement.frameTag = 0;
    placement.top = strip.bottom;
  } else {
    placement.frameTag = 1;
    placement.top = strip.top - popupHeight;
  }
  placement.top = std::max(placement.top, workArea.top);
  return placement;
}

int ChartPanelHeight(TMoniItem item) {
  if (item == miMemory) return 120;
  if (item == miRecv || item == miSend || item == miCpu) return 90;
  return 0;
}

std::vector<TProcessItemRef> SelectProcessRows(std::vector<TProcessItemRef>& processes, TMoniItem item) {
  // Insertion sort: rounding the CPU differences makes "equal" intransitive, which the standard
  // sorts do not allow; a few hundred processes sort quickly this way.
  for (size_t i = 1; i < processes.size(); ++i) {
    for (size_t j = i; j > 0 && SortsBefore(processes[j], processes[j - 1], item); --j) {
      std::swap(processes[j], processes[j - 1]);
    }
  }
  std::vector<TProcessItemRef> rows;
  for (const TProcessItemRef& process : processes) {
    if (rows.size() == kPopupMaxRows || process == nullptr) break;
    if (IsRate(item) && SortKey(*process, item) == -1) break;
    rows.push_back(process);
  }
  return rows;
}

std::string ProcessRowValue(const TProcessItem& process, TMoniItem item, std::string_view decimalSeparator) {
  switch (item) {
    case miRecv: return FormatByteSize(process.RecvDataPerS, decimalSeparator) + "/s";
    case miSend: return FormatByteSize(process.SendDataPerS, decimalSeparator) + "/s";
    case miMemory: return FormatByteSize(process.Memoryuse, decimalSeparator);
    default: return FormatDecimal(process.CPUuse, 1, decimalSeparator) + "%";
  }
}

int ProcessContentHeight(int rows, TMoniItem item, TDpiScale scale) {
  return scale((rows + 1) * kPopupRowHeight + ChartPanelHeight(item));
}

int TemperatureContentHeight(int temperatures, TDpiScale scale) { return scale(29 + 50 * temperatures + 40); }

int PieAngle(uint64_t used, uint64_t total) {
  if (total == 0) return 0;
  return static_cast<int>(std::lround(static_cast<double>(used) / static_cast<double>(total) * 360));
}

std::vector<Point> PieSectorPolygon(int angle, int left, int top) {
  const int right = left + 100;
  const int bottom = top + 100;
  std::vector<Point> polygon{{left, top + 50}};
  if (angle >= 45) polygon.push_back({left, top});
  if (angle >= 135) polygon.push_back({right, top});
  if (angle > 224) polygon.push_back({right, bottom});
  if (angle > 314) polygon.push_back({left, bottom});
  switch (angle) {
    case 0:
    case 360: polygon.push_back({left, top + 50}); break;
    case 90: polygon.push_back({left + 50, top}); break;
    case 180: polygon.push_back({right, top + 50}); break;
    case 270: polygon.push_back({left + 50, bottom}); break;
    case 45:
    case 135:
    case 225:
    case 315: break;
    default: {
      const double radians = angle * std::numbers::pi / 180;
      const long e = std::lround(std::tan(radians) * 50);
      if (std::labs(e) < 50) {
        if (angle < 90 || angle >= 270) {
          polygon.push_back({left, top + 50 - static_cast<int>(e)});
        } else {
          polygon.push_back({right, top + 50 + static_cast<int>(e)});
        }
      } else {
        const int c = static_cast<int>(std::lround(1 / std::tan(radians) * 50));
        if (angle < 180) {
          polygon.push_back({left + 50 - c, top});
        } else {
          polygon.push_back({left + 50 + c, bottom});
        }
      }
    }
  }
  polygon.push_back({left + 50, top + 50});
  return polygon;
}

std::vector<TPanelTemperatureRow> LayoutTemperaturePanel(const std::vector<TPanelTemperature>& readings) {
  std::vector<TPanelTemperatureRow> rows;
  int top = 29;
  for (const TPanelTemperature& reading : readings) {
    rows.push_back({reading.item, reading.celsius, std::nearbyint(reading.celsius), top, reading.zone});
    top += 50;
  }
  return rows;
}

uint32_t TemperatureBarColour(double celsius) {
  if (celsius < 50) return 0xFF53D55Cu;
  if (celsius >= 70) return 0xFFEE3E3Eu;  // red
  return 0xFFFFBA00u;                     // amber
}

int TemperatureBarLength(double celsius, int span) {
  return static_cast<int>(std::nearbyint(span / 100.0 * celsius));
}

std::vector<TSlice> NineSlices(int imageWidth, int imageHeight, const Rect& target, TDpiScale scale) {
  const int sx[4] = {0, 10, 20, imageWidth};
  const int sy[4] = {0, 10, 20, imageHeight};
  const int tx[4] = {target.left, target.left + scale(10), target.right - scale(imageWidth - 20),
                     target.right};
  const int ty[4] = {target.top, target.top + scale(10), target.bottom - scale(imageHeight - 20),
                     target.bottom};
  std::vector<TSlice> slices;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      slices.push_back({{sx[column], sy[row], sx[column + 1], sy[row + 1]},
                        {tx[column], ty[row], tx[column + 1], ty[row + 1]}});
    }
  }
  return slices;
}

}  // namespace vsm
