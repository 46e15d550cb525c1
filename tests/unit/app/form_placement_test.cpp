#include <gtest/gtest.h>

#include "app/FormPlacement.h"

namespace vsm {
namespace {

TEST(FormPlacement, CentringRoundsHalvesToEven) {
  struct Case {
    int extent, size, offset;
  } cases[] = {
      {800, 200, 300},   // exact
      {801, 200, 300},   // 300.5 -> 300
      {803, 200, 302},   // 301.5 -> 302
      {100, 301, -100},  // -100.5 -> -100
      {100, 303, -102},  // -101.5 -> -102
      {0, 0, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CentredOffset(c.extent, c.size), c.offset) << c.extent << "," << c.size;
}

}  // namespace
}  // namespace vsm
