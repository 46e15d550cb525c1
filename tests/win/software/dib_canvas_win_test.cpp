#include <windows.h>

#include <gtest/gtest.h>

#include "base/DibCanvas_win.h"
#include "software/HistoryRecords.h"

namespace vsm {
namespace {

TEST(TDibCanvas, LineChartLinesAreOpaqueAndTheLabelSitsTopRight) {
  TCpuRecord record;
  for (int i = 0; i < kHistoryLength; ++i) record.AddRecord(50);
  TDibCanvas canvas(120, 60);
  ASSERT_NE(canvas.Bitmap(), nullptr);
  canvas.Pixels().Fill(0xFF000000);
  const Rect rect{10, 10, 110, 50};
  record.DrawLineChart(canvas, rect);
  // A flat line at half height: y = 50 - 20.
  for (int x = 10; x <= 100; x += 15) EXPECT_EQ(canvas.Pixels().Pixel(x, 30), kChartLineColour) << x;
  EXPECT_EQ(canvas.Pixels().Pixel(50, 40), 0xFF000000u);
  // The label "100%" in the window colour, right-aligned at the top.
  int width = canvas.TextWidth("100%", kChartLabelFontSize);
  ASSERT_GT(width, 0);
  COLORREF window = GetSysColor(COLOR_WINDOW);
  uint32_t labelColour = 0xFF000000u | GetRValue(window) << 16 | GetGValue(window) << 8 | GetBValue(window);
  int labelPixels = 0;
  int strayPixels = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 120; ++x) {
      uint32_t pixel = canvas.Pixels().Pixel(x, y);
      if (pixel == 0xFF000000u) continue;
      bool inLabel = x >= 110 - width - 1 && x <= 111 && y >= 9;
      if (inLabel) {
        labelPixels += pixel == labelColour;
      } else {
        ++strayPixels;
      }
      EXPECT_EQ(pixel >> 24, 0xFFu) << x << "," << y;
    }
  }
  EXPECT_GT(labelPixels, 5);
  EXPECT_EQ(strayPixels, 0);
}

TEST(TDibCanvas, BarChartWritesStraightIntoTheDib) {
  TCpuRecord record;
  record.AddRecord(100);
  TDibCanvas canvas(22, 12);
  record.DrawBarChart(canvas.Pixels(), {0, 0, 22, 12});
  // What GDI sees is what the core wrote.
  EXPECT_EQ(GetPixel(canvas.DC(), 20, 5), RGB(0x11, 0x9D, 0xDE));
  EXPECT_EQ(GetPixel(canvas.DC(), 0, 0), RGB(0xE5, 0xE5, 0xE5));
}

}  // namespace
}  // namespace vsm
