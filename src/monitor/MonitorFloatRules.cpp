#include "monitor/MonitorFloatRules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/ByteSize.h"
#include "base/Temperature.h"
#include "base/text.h"

namespace vsm {

namespace {

bool Intersects(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::string_view TemperatureLabel(TMoniItem item) {
  switch (item) {
    case miTempCpu: return "CPU ";
    case miTempGpu: return "GPU ";
    case miTempDisk: return "DISK ";
    case miBoard: return "BOARD ";
    case miTempZone: return "ZONE ";
    default: return "";
  }
}

}  // namespace

std::string_view CellTemplate(TMoniItem item) {
  switch (item) {
    case miRecv:
    case miSend: return "000.00KB/s";
    case miMemory: return "RAM 00%";
    case miCpu: return "CPU";
    case miTempCpu:
      return "CPU 000\xC2\xB0"
             "C";
    case miTempGpu:
      return "GPU 000\xC2\xB0"
             "C";
    case miTempDisk:
      return "DISK 000\xC2\xB0"
             "C";
    case miBoard:
      return "BOARD 000\xC2\xB0"
             "C";
    case miTempZone:
      return "ZONE 000\xC2\xB0"
             "C";
    default: return "";
  }
}

int CellExtraWidth(TMoniItem item) {
  if (item == miRecv || item == miSend) return 14;  // the arrow
  if (item == miCpu) return 29;                     // the bar chart
  return 0;
}

TStripLayout LayoutStrip(TMoniItemSet items, const std::function<int(std::string_view)>& textWidth,
                         TDpiScale scale) {
  TStripLayout layout;
  int x = scale(2);
  int sum = 0;
  for (int i = miRecv; i < kMoniItemCount; ++i) {
    const auto item = static_cast<TMoniItem>(i);
    if (!items.Contains(item)) continue;
    const int width = textWidth(CellTemplate(item)) + scale(CellExtraWidth(item));
    layout.widths[item] = width;
    layout.cells[item] = {x, scale(5), x + width, scale(30)};
    x += width + scale(10);
    sum += width + scale(10);
  }
  layout.width = scale(5) + sum - scale(10);
  return layout;
}

TMoniItem HitTestStrip(const TStripLayout& layout, TMoniItemSet items, Point point, TDpiScale scale) {
  for (int i = miRecv; i < kMoniItemCount; ++i) {
    const auto item = static_cast<TMoniItem>(i);
    if (!items.Contains(item)) continue;
    const Rect& cell = layout.cells[item];
    if (point.x >= cell.left - scale(5) && point.x < cell.right + scale(5) && point.y >= cell.top &&
        point.y < cell.bottom) {
      return item;
    }
  }
  return miNone;
}

bool StartsDrag(Point pressed, Point now, TDpiScale scale) {
  return std::abs(now.x - pressed.x) > scale(2) || std::abs(now.y - pressed.y) > scale(2);
}

TMoniItem ChooseTemperatureItem(const TSensorPresence& presence) {
  if (presence.cpu) return miTempCpu;
  if (presence.disks) return miTempDisk;
  if (presence.graphics) return miTempGpu;
  if (presence.zones) return miTempZone;
  return miTempCpu;
}

std::string StripCellText(TMoniItem item, const TStripValues& values, std::string_view tempUnit,
                          std::string_view decimalSeparator) {
  switch (item) {
    case miRecv: return values.recvPerS ? FormatByteSize(*values.recvPerS, decimalSeparator) + "/s" : "";
    case miSend: return values.sendPerS ? FormatByteSize(*values.sendPerS, decimalSeparator) + "/s" : "";
    case miMemory: return values.memoryRate ? Format("RAM %d%%", *values.memoryRate) : "";
    case miCpu: return "CPU";
    case miNone: return "";
    default:
      if (!values.temperature) return "";
      // nearbyint rounds halves to even in the default rounding mode.
      return std::string(TemperatureLabel(item)) +
             FormatTemperature(std::nearbyint(*values.temperature), TempScaleOf(std::string(tempUnit)));
  }
}

Point PlaceStrip(int floatX, int floatY, int width, int height, const Rect& primaryWorkArea,
                 const std::vector<Rect>& monitors, TDpiScale scale) {
  const Point corner{primaryWorkArea.right - width - scale(10), primaryWorkArea.bottom - height};
  if (floatX == -1 && floatY == -1) return corner;
  Point place{floatX, std::max(floatY, primaryWorkArea.top)};
  if (place.x + width > primaryWorkArea.right) place.x = primaryWorkArea.right - width;
  const Rect bounds{place.x, place.y, place.x + width, place.y + height};
  const bool seen = std::any_of(monitors.begin(), monitors.end(),
                                [&bounds](const Rect& monitor) { return Intersects(bounds, monitor); });
  return seen ? place : corner;
}

TSlideStart DecideSlide(const Rect& strip, int cursorX, bool leftButtonDown, bool sliding,
                        const Rect& workArea, TDpiScale scale) {
  TSlideStart result;
  if (std::abs(cursorX - strip.left) < scale(10) || leftButtonDown || sliding) return result;
  result.decided = true;
  const int width = strip.right - strip.left;
  const bool atRight = strip.right >= workArea.right - scale(3);
  if (strip.top <= scale(5)) {
    result.direction = TSlideDirection::Up;
    result.start = true;
    if (atRight) result.left = workArea.right - width;
  } else if (atRight) {
    result.direction = TSlideDirection::Right;
    result.start = true;
  }
  return result;
}

TSlideStep StepSlide(const Rect& strip, TSlideDirection direction, int workAreaRight, TDpiScale scale) {
  TSlideStep step{strip, false};
  const int height = strip.bottom - strip.top;
  if (direction == TSlideDirection::Up) {
    int top = strip.top - scale(10);
    if (top < -height) {
      top = scale(5) - height;
      step.done = true;
    }
    step.strip = {strip.left, top, strip.right, top + height};
  } else if (direction == TSlideDirection::Right) {
    int width = strip.right - strip.left - scale(40);
    if (width < scale(40)) {
      width = scale(10);
      step.done = true;
    }
    step.strip = {workAreaRight - width, strip.top, workAreaRight, strip.bottom};
  } else {
    step.done = true;
  }
  return step;
}

Rect ReturnFromSlide(const Rect& strip, TSlideDirection direction, int fullWidth, int workAreaRight,
                     TDpiScale scale) {
  const int height = strip.bottom - strip.top;
  if (direction == TSlideDirection::Up) return {strip.left, -scale(5), strip.right, -scale(5) + height};
  if (direction == TSlideDirection::Right) {
    const int left = workAreaRight - fullWidth + scale(3);
    return {left, strip.top, left + fullWidth, strip.bottom};
  }
  return strip;
}

}  // namespace vsm
