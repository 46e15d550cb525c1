#include <gtest/gtest.h>

#include <ostream>

#include "support/CaptureSelection.h"

namespace vsm {

void PrintTo(const Rect& r, std::ostream* out) {
  *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

struct TSelectionCase {
  const char* name;
  Point pressed;
  Point current;
  Rect selection;
  bool empty;
  Rect tint;
};

const TSelectionCase kSelectionCases[] = {
    {"right and down", {10, 20}, {110, 70}, {10, 20, 110, 70}, false, {11, 21, 110, 70}},
    {"left and up", {110, 70}, {10, 20}, {10, 20, 110, 70}, false, {11, 21, 110, 70}},
    {"left and down", {110, 20}, {10, 70}, {10, 20, 110, 70}, false, {11, 21, 110, 70}},
    {"right and up", {10, 70}, {110, 20}, {10, 20, 110, 70}, false, {11, 21, 110, 70}},
    {"no width", {50, 20}, {50, 70}, {50, 20, 50, 70}, true, {51, 21, 50, 70}},
    {"no height", {10, 40}, {110, 40}, {10, 40, 110, 40}, true, {11, 41, 110, 40}},
    {"not moved", {30, 30}, {30, 30}, {30, 30, 30, 30}, true, {31, 31, 30, 30}},
    {"one pixel", {5, 6}, {6, 7}, {5, 6, 6, 7}, false, {6, 7, 6, 7}},
    {"left of the screen", {-3, 4}, {2, -1}, {-3, -1, 2, 4}, false, {-2, 0, 2, 4}},
};

TEST(CaptureSelection, NormalisedRectangleEmptinessAndTint) {
  for (const TSelectionCase& c : kSelectionCases) {
    SCOPED_TRACE(c.name);
    const Rect selection = SelectionRect(c.pressed, c.current);
    EXPECT_EQ(selection, c.selection);
    EXPECT_EQ(IsEmptySelection(selection), c.empty);
    EXPECT_EQ(SelectionTintRect(selection), c.tint);
  }
}

}  // namespace
}  // namespace vsm
