#include <gtest/gtest.h>

#include "monitor/MonitorFloatRules.h"

namespace vsm {
namespace {

constexpr TDpiScale k96{96};
const TMoniItemSet kStripItems{miRecv, miSend, miMemory, miCpu, miTempCpu};

// A font in which every character is 6 pixels wide.
int SixPerChar(std::string_view text) {
  int characters = 0;
  for (unsigned char c : text) characters += (c & 0xC0) != 0x80;  // UTF-8 lead bytes
  return 6 * characters;
}

TEST(MonitorFloat, CellsAndWidth) {
  const TStripLayout layout = LayoutStrip(kStripItems, SixPerChar, k96);
  // Templates: "000.00KB/s" 10 chars + arrow 14, "RAM 00%" 7, "CPU" 3 + chart 29, "CPU 000°C" 9.
  EXPECT_EQ(layout.widths[miRecv], 74);
  EXPECT_EQ(layout.widths[miSend], 74);
  EXPECT_EQ(layout.widths[miMemory], 42);
  EXPECT_EQ(layout.widths[miCpu], 47);
  EXPECT_EQ(layout.widths[miTempCpu], 54);
  EXPECT_EQ(layout.width, 5 + 74 + 74 + 42 + 47 + 54 + 40);
  struct Cell {
    TMoniItem item;
    int left, right;
  } cells[] = {
      {miRecv, 2, 76}, {miSend, 86, 160}, {miMemory, 170, 212}, {miCpu, 222, 269}, {miTempCpu, 279, 333}};
  for (const auto& c : cells) {
    EXPECT_EQ(layout.cells[c.item].left, c.left) << int(c.item);
    EXPECT_EQ(layout.cells[c.item].right, c.right) << int(c.item);
    EXPECT_EQ(layout.cells[c.item].top, 5);
    EXPECT_EQ(layout.cells[c.item].bottom, 30);
  }
  // The last cell ends 3 pixels before the right edge.
  EXPECT_EQ(layout.cells[miTempCpu].right, layout.width - 3);
}

TEST(MonitorFloat, CellsScaleWithTheDpi) {
  const TStripLayout layout = LayoutStrip(kStripItems, SixPerChar, TDpiScale{144});
  EXPECT_EQ(layout.cells[miRecv].left, 3);
  EXPECT_EQ(layout.cells[miRecv].top, 8);
  EXPECT_EQ(layout.widths[miRecv], 60 + 21);  // the text is measured in the scaled font already
  EXPECT_EQ(layout.cells[miSend].left, 3 + 81 + 15);
}

TEST(MonitorFloat, HitTestWidensCellsByFive) {
  const TStripLayout layout = LayoutStrip(kStripItems, SixPerChar, k96);
  struct Case {
    Point point;
    TMoniItem item;
  } cases[] = {
      {{-3, 10}, miRecv},    {{-4, 10}, miNone},   // recv cell starts at 2: from -3
      {{80, 10}, miRecv},    {{81, 10}, miSend},   // recv ends at 76 (exclusive 81); send starts at 81
      {{165, 10}, miMemory}, {{164, 10}, miSend},  // send's right + 5 = 165 exclusive; memory from 165
      {{100, 4}, miNone},    {{100, 5}, miSend},   // top margin
      {{100, 29}, miSend},   {{100, 30}, miNone}, {{337, 10}, miTempCpu}, {{338, 10}, miNone},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HitTestStrip(layout, kStripItems, c.point, k96), c.item) << c.point.x << "," << c.point.y;
  }
}

TEST(MonitorFloat, HitTestIgnoresItemsNotShown) {
  const TStripLayout layout = LayoutStrip(kStripItems, SixPerChar, k96);
  EXPECT_EQ(HitTestStrip(layout, TMoniItemSet{miRecv}, {100, 10}, k96), miNone);
}

TEST(MonitorFloat, DragNeedsMoreThanTwoPixels) {
  struct Case {
    Point now;
    bool drags;
  } cases[] = {{{10, 10}, false}, {{12, 10}, false}, {{8, 12}, false}, {{13, 10}, true},
               {{10, 7}, true},   {{7, 10}, true},   {{12, 12}, false}};
  for (const auto& c : cases)
    EXPECT_EQ(StartsDrag({10, 10}, c.now, k96), c.drags) << c.now.x << "," << c.now.y;
  EXPECT_FALSE(StartsDrag({10, 10}, {13, 10}, TDpiScale{144}));  // 3 at 144 dpi is within 2 * 1.5
}

TEST(MonitorFloat, TemperatureItemChoice) {
  struct Case {
    TSensorPresence presence;
    TMoniItem item;
  } cases[] = {
      {{true, true, true, true}, miTempCpu},
      {{false, true, true, false}, miTempDisk},
      {{false, false, true, false}, miTempGpu},
      {{false, false, false, true}, miTempCpu},
      {{false, false, false, false}, miTempCpu},
      // A thermal zone comes last: after the graphics card, and only when nothing else has one.
      {{false, false, true, false, true}, miTempGpu},
      {{false, true, false, false, true}, miTempDisk},
      {{false, false, false, true, true}, miTempZone},
      {{true, false, false, false, true}, miTempCpu},
  };
  for (const auto& c : cases) EXPECT_EQ(ChooseTemperatureItem(c.presence), c.item);
}

TEST(MonitorFloat, CellTexts) {
  TStripValues values;
  values.recvPerS = 1536;
  values.sendPerS = 0;
  values.memoryRate = 42;
  values.temperature = 44.5;  // rounds half to even: 44
  EXPECT_EQ(StripCellText(miRecv, values, "C", ","), "1,50 KB/s");
  EXPECT_EQ(StripCellText(miSend, values, "C", "."), "0.00 KB/s");
  EXPECT_EQ(StripCellText(miMemory, values, "C", "."), "RAM 42%");
  EXPECT_EQ(StripCellText(miCpu, values, "C", "."), "CPU");
  EXPECT_EQ(StripCellText(miTempCpu, values, "C", "."),
            "CPU 44\xC2\xB0"
            "C");
  EXPECT_EQ(StripCellText(miTempDisk, values, "f", "."),
            "DISK 111\xC2\xB0"
            "F");
  EXPECT_EQ(StripCellText(miTempZone, values, "C", "."),
            "ZONE 44\xC2\xB0"
            "C");
  values.temperature = 0;
  EXPECT_EQ(StripCellText(miTempDisk, values, "C", "."), "DISK -");
  EXPECT_EQ(StripCellText(miTempGpu, TStripValues{}, "C", "."), "");  // no sensor: empty cell
  EXPECT_EQ(StripCellText(miRecv, TStripValues{}, "C", "."), "");     // no engine
}

TEST(MonitorFloat, Placement) {
  const Rect work{0, 0, 1024, 738};
  const std::vector<Rect> monitors{{0, 0, 1024, 768}};
  struct Case {
    int x, y;
    Point place;
  } cases[] = {
      {-1, -1, {1024 - 300 - 10, 738 - 25}},  // the default corner
      {100, 200, {100, 200}},
      {100, -40, {100, 0}},      // raised to the work-area top (a strip slid up)
      {1014, 300, {724, 300}},   // a strip collapsed at the right comes back flush
      {-100, 300, {-100, 300}},  // left of the work area stays while visible
      {100, 750, {100, 750}},    // below the work area but on the monitor stays
      {-1, 300, {-1, 300}},      // only both -1 mean the default
      {-5000, 300, {714, 713}},  // on no monitor: back at the default corner
      {100, 5000, {714, 713}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlaceStrip(c.x, c.y, 300, 25, work, monitors, k96), c.place) << c.x << "," << c.y;
  }
  EXPECT_EQ(PlaceStrip(-1, -1, 450, 38, work, monitors, TDpiScale{144}), (Point{1024 - 450 - 15, 738 - 38}));
}

TEST(MonitorFloat, SlideDecision) {
  const Rect work{0, 0, 1024, 738};
  struct Case {
    Rect strip;
    int cursorX;
    bool button, sliding;
    bool decided, start;
    TSlideDirection direction;
    int left;  // -1: unchanged
  } cases[] = {
      {{100, 5, 400, 30}, 300, false, false, true, true, TSlideDirection::Up, -1},
      {{100, 6, 400, 31}, 300, false, false, true, false, TSlideDirection::None, -1},
      {{100, -5, 400, 20}, 109, false, false, false, false, TSlideDirection::None, -1},  // near the left edge
      {{100, -5, 400, 20}, 91, false, false, false, false, TSlideDirection::None, -1},
      {{100, -5, 400, 20}, 110, false, false, true, true, TSlideDirection::Up, -1},
      {{100, 0, 400, 25}, 300, true, false, false, false, TSlideDirection::None, -1},  // button down
      {{100, 0, 400, 25}, 300, false, true, false, false, TSlideDirection::None, -1},  // already sliding
      {{722, 0, 1022, 25}, 900, false, false, true, true, TSlideDirection::Up, 724},   // top-right corner
      {{721, 300, 1021, 325}, 900, false, false, true, true, TSlideDirection::Right, -1},
      {{720, 300, 1020, 325}, 900, false, false, true, false, TSlideDirection::None, -1},
  };
  for (const auto& c : cases) {
    const TSlideStart slide = DecideSlide(c.strip, c.cursorX, c.button, c.sliding, work, k96);
    EXPECT_EQ(slide.decided, c.decided) << c.strip.left << "," << c.strip.top;
    EXPECT_EQ(slide.start, c.start) << c.strip.left << "," << c.strip.top;
    EXPECT_EQ(slide.direction, c.direction) << c.strip.left << "," << c.strip.top;
    EXPECT_EQ(slide.left.value_or(-1), c.left) << c.strip.left << "," << c.strip.top;
  }
}

TEST(MonitorFloat, SlideUpLeavesAFivePixelSliver) {
  Rect strip{100, 5, 400, 30};
  std::vector<int> tops;
  for (int i = 0; i < 10; ++i) {
    const TSlideStep step = StepSlide(strip, TSlideDirection::Up, 1024, k96);
    strip = step.strip;
    tops.push_back(strip.top);
    if (step.done) break;
  }
  EXPECT_EQ(tops, (std::vector<int>{-5, -15, -25, -20}));  // -25 is not below -25; -35 is: the sliver
  EXPECT_EQ(strip.bottom, 5);
  const Rect back = ReturnFromSlide(strip, TSlideDirection::Up, 300, 1024, k96);
  EXPECT_EQ(back.top, -5);
  EXPECT_EQ(back.bottom, 20);
}

TEST(MonitorFloat, SlideRightShrinksInFortyPixelSteps) {
  Rect strip{724, 300, 1024, 325};
  std::vector<int> widths;
  for (int i = 0; i < 20; ++i) {
    const TSlideStep step = StepSlide(strip, TSlideDirection::Right, 1024, k96);
    strip = step.strip;
    widths.push_back(strip.right - strip.left);
    EXPECT_EQ(strip.right, 1024);
    if (step.done) break;
  }
  EXPECT_EQ(widths, (std::vector<int>{260, 220, 180, 140, 100, 60, 10}));
  const Rect back = ReturnFromSlide(strip, TSlideDirection::Right, 300, 1024, k96);
  EXPECT_EQ(back.left, 727);
  EXPECT_EQ(back.right, 1027);
}

}  // namespace
}  // namespace vsm
