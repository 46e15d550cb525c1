#include <gtest/gtest.h>

#include <memory>

#include "monitor/MonitorPopupRules.h"

namespace vsm {
namespace {

constexpr TDpiScale k96{96};

TEST(MonitorPopup, PlacementBelowAboveAndClamped) {
  const Rect work{0, 0, 1024, 738};
  struct Case {
    Rect strip;
    int width, height;
    TPopupPlacement place;
  } cases[] = {
      {{100, 100, 400, 125}, 300, 200, {100, 125, 0}},   // room below
      {{100, 513, 400, 538}, 300, 200, {100, 313, 1}},   // 538 + 200 is not below 738: above
      {{100, 512, 400, 537}, 300, 200, {100, 537, 0}},   // 737 < 738: below
      {{-50, 100, 250, 125}, 300, 200, {0, 125, 0}},     // raised to the work-area left
      {{724, 100, 1024, 125}, 300, 200, {724, 125, 0}},  // 1024 is not below the right edge: moved in
      {{723, 100, 1023, 125}, 300, 200, {723, 125, 0}}, {{800, 100, 1100, 125}, 300, 200, {724, 125, 0}},
      {{100, 50, 400, 75}, 300, 700, {100, 0, 1}},  // above, but not above the work-area top
  };
  for (const auto& c : cases) {
    const TPopupPlacement place = PlacePopup(c.strip, c.width, c.height, work);
    EXPECT_EQ(place.left, c.place.left) << c.strip.left << "," << c.strip.top;
    EXPECT_EQ(place.top, c.place.top) << c.strip.left << "," << c.strip.top;
    EXPECT_EQ(place.frameTag, c.place.frameTag) << c.strip.left << "," << c.strip.top;
  }
}

TProcessItemRef Process(const char* name, float cpu, int32_t recv = -1, uint32_t memory = 0) {
  auto item = std::make_shared<TProcessItem>();
  item->ExeName = name;
  item->CPUuse = cpu;
  item->RecvDataPerS = recv;
  item->Memoryuse = memory;
  return item;
}

std::vector<std::string> Names(const std::vector<TProcessItemRef>& rows) {
  std::vector<std::string> names;
  for (const auto& row : rows) names.push_back(row->ExeName);
  return names;
}

TEST(MonitorPopup, AtMostNineRowsLargestFirst) {
  std::vector<TProcessItemRef> processes;
  for (int i = 0; i < 20; ++i)
    processes.push_back(Process(std::to_string(i).c_str(), static_cast<float>(i * 2)));
  const auto rows = SelectProcessRows(processes, miCpu);
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"19", "18", "17", "16", "15", "14", "13", "12", "11"}));
  std::vector<TProcessItemRef> four(processes.begin(), processes.begin() + 4);
  const auto fewer = SelectProcessRows(four, miCpu);
  EXPECT_EQ(fewer.size(), 4u);
  EXPECT_EQ(ProcessContentHeight(4, miCpu, k96) + kPopupFrameExtra, (4 + 1) * 25 + 90 + 20);
}

TEST(MonitorPopup, CpuSharesWithinHalfAPercentCountAsEqual) {
  std::vector<TProcessItemRef> processes{Process("a", 1.0f), Process("b", 1.4f), Process("c", 2.0f),
                                         Process("d", 0.2f)};
  // b is not moved before a (0.4 apart); c is a whole percent above a and goes first.
  EXPECT_EQ(Names(SelectProcessRows(processes, miCpu)), (std::vector<std::string>{"c", "a", "b", "d"}));
}

TEST(MonitorPopup, RatesStopAtTheFirstUnknown) {
  std::vector<TProcessItemRef> processes{Process("a", 0, -1), Process("b", 0, 300), Process("c", 0, 0),
                                         Process("d", 0, -1), Process("e", 0, 5000)};
  EXPECT_EQ(Names(SelectProcessRows(processes, miRecv)), (std::vector<std::string>{"e", "b", "c"}));
  std::vector<TProcessItemRef> unknown{Process("a", 0, -1), Process("b", 0, -1)};
  EXPECT_TRUE(SelectProcessRows(unknown, miRecv).empty());
  // Sending is measured by its own rate: all unknown here.
  EXPECT_TRUE(SelectProcessRows(processes, miSend).empty());
}

TEST(MonitorPopup, EmptyEntriesSortLast) {
  std::vector<TProcessItemRef> processes{nullptr, Process("a", 0, -1, 10), nullptr, Process("b", 0, -1, 30)};
  EXPECT_EQ(Names(SelectProcessRows(processes, miMemory)), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(processes[2], nullptr);
  EXPECT_EQ(processes[3], nullptr);
}

TEST(MonitorPopup, RowValues) {
  const auto process = Process("a", 12.34f, 2048, 3u * 1024 * 1024);
  process->SendDataPerS = -1;
  EXPECT_EQ(ProcessRowValue(*process, miCpu, ","), "12,3%");
  EXPECT_EQ(ProcessRowValue(*process, miRecv, "."), "2.00 KB/s");
  EXPECT_EQ(ProcessRowValue(*process, miSend, "."), "-/s");
  EXPECT_EQ(ProcessRowValue(*process, miMemory, "."), "3.00 MB");
}

TEST(MonitorPopup, Heights) {
  EXPECT_EQ(ProcessContentHeight(9, miRecv, k96), 10 * 25 + 90);
  EXPECT_EQ(ProcessContentHeight(0, miMemory, k96), 25 + 120);
  EXPECT_EQ(TemperatureContentHeight(2, k96), 29 + 100 + 40);
  EXPECT_EQ(TemperatureContentHeight(0, TDpiScale{144}), 104);  // 69 * 1.5 rounded
}

TEST(MonitorPopup, PieSector) {
  using P = std::vector<Point>;
  const int L = 10;
  const int T = 20;
  const Point start{L, T + 50};
  const Point centre{L + 50, T + 50};
  struct Case {
    int angle;
    P polygon;
  } cases[] = {
      {0, {start, start, centre}},
      {30, {start, {L, T + 50 - 29}, centre}},  // tan 30 * 50 = 28.9
      {45, {start, {L, T}, centre}},
      {60, {start, {L, T}, {L + 50 - 29, T}, centre}},  // cot 60 * 50 = 28.9
      {90, {start, {L, T}, {L + 50, T}, centre}},
      {120, {start, {L, T}, {L + 50 + 29, T}, centre}},  // cot 120 = -0.577
      {135, {start, {L, T}, {L + 100, T}, centre}},
      {150, {start, {L, T}, {L + 100, T}, {L + 100, T + 50 - 29}, centre}},
      {180, {start, {L, T}, {L + 100, T}, {L + 100, T + 50}, centre}},
      {224, {start, {L, T}, {L + 100, T}, {L + 100, T + 50 + 48}, centre}},
      {225, {start, {L, T}, {L + 100, T}, {L + 100, T + 100}, centre}},
      {240, {start, {L, T}, {L + 100, T}, {L + 100, T + 100}, {L + 50 + 29, T + 100}, centre}},
      {270, {start, {L, T}, {L + 100, T}, {L + 100, T + 100}, {L + 50, T + 100}, centre}},
      {300, {start, {L, T}, {L + 100, T}, {L + 100, T + 100}, {L + 50 - 29, T + 100}, centre}},
      {315, {start, {L, T}, {L + 100, T}, {L + 100, T + 100}, {L, T + 100}, centre}},
      {330, {start, {L, T}, {L + 100, T}, {L + 100, T + 100}, {L, T + 100}, {L, T + 50 + 29}, centre}},
      {360, {start, {L, T}, {L + 100, T}, {L + 100, T + 100}, {L, T + 100}, start, centre}},
  };
  for (const auto& c : cases) EXPECT_EQ(PieSectorPolygon(c.angle, L, T), c.polygon) << c.angle;
}

TEST(MonitorPopup, TwoOfEightGigabytesAvailableCoverThreeQuarters) {
  const uint64_t total = 8ull << 30;
  const uint64_t available = 2ull << 30;
  const int angle = PieAngle(total - available, total);
  EXPECT_EQ(angle, 270);
  // From 9 o'clock through 12 and 3 to 6 o'clock.
  EXPECT_EQ(PieSectorPolygon(angle, 0, 0),
            (std::vector<Point>{{0, 50}, {0, 0}, {100, 0}, {100, 100}, {50, 100}, {50, 50}}));
  EXPECT_EQ(PieAngle(1, 0), 0);
}

TEST(MonitorPopup, TemperatureBars) {
  struct Case {
    double celsius;
    uint32_t colour;
  } cases[] = {{0, 0xFF53D55C},  {49, 0xFF53D55C},   {49.9, 0xFF53D55C}, {50, 0xFFFFBA00},
               {69, 0xFFFFBA00}, {69.9, 0xFFFFBA00}, {70, 0xFFEE3E3E},   {120, 0xFFEE3E3E}};
  for (const auto& c : cases) EXPECT_EQ(TemperatureBarColour(c.celsius), c.colour) << c.celsius;
  EXPECT_EQ(TemperatureBarLength(50, 260), 130);
  EXPECT_EQ(TemperatureBarLength(45, 255), 115);   // 114.75
  EXPECT_EQ(TemperatureBarLength(120, 260), 312);  // past the background bar
}

TEST(MonitorPopup, TemperaturePanelRows) {
  const auto rows = LayoutTemperaturePanel({{miTempCpu, 44.5}, {miTempDisk, 37.6}});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].top, 29);
  EXPECT_EQ(rows[0].rounded, 44);  // halves to even
  EXPECT_EQ(rows[1].top, 79);
  EXPECT_EQ(rows[1].rounded, 38);
  EXPECT_EQ(rows[1].item, miTempDisk);
}

TEST(MonitorPopup, NineSlicesKeepCornersAndStretchTheMiddle) {
  const auto slices = NineSlices(30, 30, {0, 0, 200, 100}, k96);
  ASSERT_EQ(slices.size(), 9u);
  // Top-left corner: 10 x 10 unchanged; centre: 10..20 stretched to 10..190 x 10..90.
  EXPECT_EQ(slices[0].target.right, 10);
  EXPECT_EQ(slices[4].source.left, 10);
  EXPECT_EQ(slices[4].source.right, 20);
  EXPECT_EQ(slices[4].target.left, 10);
  EXPECT_EQ(slices[4].target.right, 190);
  EXPECT_EQ(slices[4].target.bottom, 90);
  EXPECT_EQ(slices[8].source.right, 30);
  EXPECT_EQ(slices[8].target.left, 190);
  const auto scaled = NineSlices(30, 30, {0, 0, 200, 100}, TDpiScale{144});
  EXPECT_EQ(scaled[0].target.right, 15);
  EXPECT_EQ(scaled[8].target.left, 185);
}

}  // namespace
}  // namespace vsm
