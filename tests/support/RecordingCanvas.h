#pragma once
// A chart canvas with fixed text metrics (5 pixels per character) that records its pen lines and
// texts, for tests of chart geometry.
#include <string>
#include <vector>

#include "base/ChartCanvas.h"

namespace vsm::test {

class RecordingCanvas final : public ChartCanvas {
 public:
  static constexpr int kCharWidth = 5;

  struct Line {
    std::vector<Point> points;
    uint32_t pen;
  };
  struct Text {
    int x;
    int y;
    std::string text;
    int fontSize;
    FontColour colour;
    unsigned flags;
  };

  RecordingCanvas(int width, int height, std::string decimalSeparator = ".")
      : bitmap_(width, height), decimalSeparator_(std::move(decimalSeparator)) {}

  ArgbBitmap& Pixels() override { return bitmap_; }
  void Polyline(const Point* points, size_t count, uint32_t penArgb) override {
    lines.push_back({std::vector<Point>(points, points + count), penArgb});
  }
  int TextWidth(std::string_view text, int) override { return static_cast<int>(text.size()) * kCharWidth; }
  void DrawText(int x, int y, std::string_view text, int fontSize, FontColour colour,
                unsigned flags) override {
    texts.push_back({x, y, std::string(text), fontSize, colour, flags});
  }
  std::string DecimalSeparator() const override { return decimalSeparator_; }

  std::vector<Line> lines;
  std::vector<Text> texts;

 private:
  ArgbBitmap bitmap_;
  std::string decimalSeparator_;
};

}  // namespace vsm::test
