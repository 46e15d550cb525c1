#include <gtest/gtest.h>

#include "base/DecimalText.h"

namespace vsm {
namespace {

TEST(FormatDecimal, RoundsToTheDecimalsAndPutsTheSeparatorInPlaceOfThePoint) {
  const struct {
    double value;
    int decimals;
    const char* separator;
    const char* text;
  } cases[] = {
      {12.34, 1, ",", "12,3"},  {12.35, 1, ".", "12.3"},  // 12.35 is held just below
      {99.96, 1, ",", "100,0"}, {1.25, 2, "\u066B", "1\u066B25"}, {42, 0, ",", "42"}, {0, 1, ",", "0,0"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDecimal(c.value, c.decimals, c.separator), c.text) << c.value;
}

}  // namespace
}  // namespace vsm
