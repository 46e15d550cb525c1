#include <gtest/gtest.h>

#include "base/Temperature.h"

namespace vsm {
namespace {

TEST(Temperature, TextByUnitSetting) {
  struct Case {
    double celsius;
    const char* unit;
    const char* expected;
  };
  const Case cases[] = {
      {45, "C", "45\u00B0C"},  {45, "F", "113\u00B0F"}, {45, "f", "113\u00B0F"}, {45, "", "45\u00B0C"},
      {45, "FF", "45\u00B0C"}, {0, "F", "-"},           {-10, "F", "14\u00B0F"}, {99.6, "C", "100\u00B0C"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatTemperature(c.celsius, TempScaleOf(c.unit)), c.expected) << c.celsius << " " << c.unit;
}

}  // namespace
}  // namespace vsm
