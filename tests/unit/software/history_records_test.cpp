#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "software/HistoryRecords.h"

namespace vsm {
namespace {

constexpr uint32_t kBackground = 0xFF202020;

TEST(TCpuRecord, StartsEmptyAndAdvancesBeforeEachStore) {
  TCpuRecord record;
  EXPECT_EQ(record.CurPoint(), 0);
  EXPECT_EQ(record.Newest(), 255);
  EXPECT_EQ(record.GetMaxValue(), 0);
  for (int i = 0; i < 18; ++i) record.AddRecord(i);
  EXPECT_EQ(record.CurPoint(), 18);
  EXPECT_EQ(record.Entry(1), 0);
  EXPECT_EQ(record.Entry(0), 255);
  record.AddRecord(77);  // after 18 comes 0
  EXPECT_EQ(record.CurPoint(), 0);
  EXPECT_EQ(record.Newest(), 77);
  EXPECT_EQ(record.GetMaxValue(), 77);
}

TEST(TTdiRecord, DropsNegativeSamplesAndKeepsTheMaxima) {
  TTdiRecord record;
  EXPECT_EQ(record.RecvPerS(), 0u);
  EXPECT_EQ(record.SendPerS(), 0u);
  EXPECT_EQ(record.Bytes_In(), TTdiRecord::kTotalsUnknown);
  record.AddRecord(1000, 50);
  record.AddRecord(-1, 70);
  record.AddRecord(80, -5);
  EXPECT_EQ(record.CurPoint(), 1);
  EXPECT_EQ(record.RecvPerS(), 1000u);
  EXPECT_EQ(record.SendPerS(), 50u);
  record.AddRecord(10, 400);
  EXPECT_EQ(record.RecvPerS(), 10u);
  EXPECT_EQ(record.MaxInValue(), 1000u);
  EXPECT_EQ(record.MaxOutValue(), 400u);
  record.AddRecord(0, 0);
  EXPECT_EQ(record.CurPoint(), 3);
  EXPECT_EQ(record.InEntry(4), kNoTrafficSample);
}

// Bar heights in a 22 x 12 rectangle (inner height 10): entry / 100 * 10, halves to even; bars
// taller than the chart draw nothing.
TEST(TCpuRecord, BarChartPixelForPixel) {
  const int entries[kHistoryLength] = {0,  5, 15, 25, 35, 100, 101, 105, 106, 255,
                                       50, 1, 4,  6,  45, 55,  99,  94,  96};
  const int heights[kHistoryLength] = {0, 0, 2, 2, 4, 10, 10, 10, 0, 0, 5, 0, 0, 1, 4, 6, 10, 9, 10};
  TCpuRecord record;
  for (int value : entries) record.AddRecord(value);

  ArgbBitmap bitmap(30, 20, kBackground);
  const Rect rect{3, 4, 25, 16};
  record.DrawBarChart(bitmap, rect);
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      uint32_t expected = kBackground;
      bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
      bool frame = inside && (x == rect.left || x == rect.right - 1 || y == rect.top || y == rect.bottom - 1);
      if (frame) expected = kChartFrameColour;
      int column = x - (rect.left + 1);  // bar j sits in inner column j
      if (!frame && inside && column >= 1 && column <= kHistoryLength) {
        int height = heights[column - 1];
        if (y >= rect.bottom - 1 - height) expected = kChartBarColour;
      }
      ASSERT_EQ(bitmap.Pixel(x, y), expected) << "x=" << x << " y=" << y;
    }
  }
}

TEST(TCpuRecord, BarChartLeavesGapsForMissingSamples) {
  TCpuRecord record;
  record.AddRecord(50);
  record.AddRecord(100);
  ArgbBitmap bitmap(22, 12, kBackground);
  record.DrawBarChart(bitmap, {0, 0, 22, 12});
  // 17 columns of 255 (no sample) stay empty; the two samples are the rightmost bars.
  for (int column = 2; column <= 18; ++column) {
    for (int y = 1; y < 11; ++y) EXPECT_EQ(bitmap.Pixel(column, y), kBackground) << column << "," << y;
  }
  EXPECT_EQ(bitmap.Pixel(19, 10), kChartBarColour);
  EXPECT_EQ(bitmap.Pixel(19, 6), kChartBarColour);
  EXPECT_EQ(bitmap.Pixel(19, 5), kBackground);
  EXPECT_EQ(bitmap.Pixel(20, 1), kChartBarColour);
  EXPECT_EQ(bitmap.Pixel(21, 5), kChartFrameColour);
  EXPECT_EQ(bitmap.Pixel(1, 10), kBackground);  // the inner rectangle's first column stays empty
}

TEST(TCpuRecord, BarChartClipsToTheBitmap) {
  TCpuRecord record;
  for (int i = 0; i < kHistoryLength; ++i) record.AddRecord(100);
  ArgbBitmap bitmap(10, 5, kBackground);
  record.DrawBarChart(bitmap, {-5, -3, 17, 9});
  EXPECT_EQ(bitmap.Pixel(0, 4), kChartBarColour);
}

TEST(LineChart, XAdvancesSoThatTheLastTwoEntriesShareTheRightEdge) {
  std::array<uint32_t, kHistoryLength> values{};
  std::array<bool, kHistoryLength> present{};
  present.fill(true);
  LineChartPlan plan = PlanLineChart(values, present, {0, 0, 20, 10}, 100);
  const int expectedX[kHistoryLength] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 18, 20, 20};
  ASSERT_EQ(plan.pointCount, kHistoryLength);
  for (int k = 0; k < kHistoryLength; ++k) {
    EXPECT_EQ(plan.points[static_cast<size_t>(k)].x, expectedX[k]) << k;
    EXPECT_EQ(plan.points[static_cast<size_t>(k)].y, 10) << k;
  }
}

TEST(TCpuRecord, LineChartSkipsGapsButKeepsAdvancing) {
  TCpuRecord record;
  // Oldest first: 50, gap, 25, then gaps, newest 100.
  const int entries[kHistoryLength] = {50,  255, 25,  255, 255, 255, 255, 255, 255, 255,
                                       255, 255, 255, 255, 255, 255, 255, 255, 100};
  for (int value : entries) record.AddRecord(value);
  test::RecordingCanvas canvas(60, 20);
  record.DrawLineChart(canvas, {10, 5, 44, 15});  // 34 wide: x steps of 2; 10 high
  ASSERT_EQ(canvas.lines.size(), 1u);
  EXPECT_EQ(canvas.lines[0].pen, kChartLineColour);
  // 25 % of 10 is 2.5: halves to even.
  EXPECT_EQ(canvas.lines[0].points, (std::vector<Point>{{10, 10}, {14, 13}, {44, 5}}));
  ASSERT_EQ(canvas.texts.size(), 1u);
  const auto& label = canvas.texts[0];
  EXPECT_EQ(label.text, "100%");
  EXPECT_EQ(label.x, 44 - 4 * test::RecordingCanvas::kCharWidth);
  EXPECT_EQ(label.y, 5);
  EXPECT_EQ(label.fontSize, 6);
  EXPECT_EQ(label.colour.systemIndex, 5);
  EXPECT_EQ(label.flags, 0x100u);
}

TEST(TCpuRecord, LineChartWithoutSamplesDrawsOnlyTheLabel) {
  TCpuRecord record;
  test::RecordingCanvas canvas(60, 20);
  record.DrawLineChart(canvas, {0, 0, 40, 20});
  EXPECT_TRUE(canvas.lines.empty());
  EXPECT_EQ(canvas.texts.size(), 1u);
}

TEST(TTdiRecord, ScaleHasRoomBelow512KilobytesOnly) {
  EXPECT_EQ(TTdiRecord::ChartScale(0), 0);
  EXPECT_EQ(TTdiRecord::ChartScale(1), 2);  // 1.5 halves to even
  EXPECT_EQ(TTdiRecord::ChartScale(3), 4);  // 4.5 halves to even
  EXPECT_EQ(TTdiRecord::ChartScale(1000), 1500);
  EXPECT_EQ(TTdiRecord::ChartScale(524287), 786430);  // 786430.5
  EXPECT_EQ(TTdiRecord::ChartScale(524288), 524288);
  EXPECT_EQ(TTdiRecord::ChartScale(600000), 600000);
}

TEST(TTdiRecord, ReceiveChartForAMaximumOf1000) {
  TTdiRecord record;
  record.AddRecord(1000, 10);
  record.AddRecord(750, 20);
  test::RecordingCanvas canvas(100, 40);
  record.DrawRecvLineChart(canvas, {0, 0, 34, 30});
  ASSERT_EQ(canvas.lines.size(), 1u);
  // Scale 1500 over 30 pixels: 1000 -> 20, 750 -> 15; the two newest entries sit at the right.
  EXPECT_EQ(canvas.lines[0].points, (std::vector<Point>{{34, 10}, {34, 15}}));
  ASSERT_EQ(canvas.texts.size(), 1u);
  EXPECT_EQ(canvas.texts[0].text, "1.46 KB/s");
  EXPECT_EQ(canvas.texts[0].x, 34 - 9 * test::RecordingCanvas::kCharWidth);
}

TEST(TTdiRecord, SendChartUsesItsOwnHistoryAndALargeMaximumAsItIs) {
  TTdiRecord record;
  record.AddRecord(5, 600000);
  record.AddRecord(5, 300000);
  record.AddRecord(5, 0);
  test::RecordingCanvas canvas(100, 40, ",");
  record.DrawSendLineChart(canvas, {0, 0, 34, 30});
  ASSERT_EQ(canvas.lines.size(), 1u);
  EXPECT_EQ(canvas.lines[0].points, (std::vector<Point>{{32, 0}, {34, 15}, {34, 30}}));
  EXPECT_EQ(canvas.texts[0].text, "585,9 KB/s");
}

TEST(TTdiRecord, NoTrafficYetDrawsNothing) {
  TTdiRecord record;
  record.AddRecord(0, 0);
  test::RecordingCanvas canvas(100, 40);
  record.DrawRecvLineChart(canvas, {0, 0, 34, 30});
  record.DrawSendLineChart(canvas, {0, 0, 34, 30});
  EXPECT_TRUE(canvas.lines.empty());
  EXPECT_TRUE(canvas.texts.empty());
}

TEST(DivideRoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(DivideRoundHalfEven(5, 2), 2);
  EXPECT_EQ(DivideRoundHalfEven(7, 2), 4);
  EXPECT_EQ(DivideRoundHalfEven(249, 100), 2);
  EXPECT_EQ(DivideRoundHalfEven(251, 100), 3);
  EXPECT_EQ(DivideRoundHalfEven(0, 7), 0);
}

}  // namespace
}  // namespace vsm
