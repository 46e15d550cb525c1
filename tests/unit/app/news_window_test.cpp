#include <gtest/gtest.h>

#include "app/NewsWindow.h"
#include "services/BrowserEmulation.h"

namespace vsm {
namespace {

TEST(NewsWindow, SizeAndColourRules) {
  struct Case {
    int32_t width, height, color;
    int clientWidth, clientHeight;
    std::optional<uint32_t> background;
  };
  const Case cases[] = {
      {0, 0, 0, 490, 242, std::nullopt},
      {600, 0, -1, 490, 242, std::nullopt},  // one side alone keeps the default
      {600, 400, 0x00FF8000, 600, 400, 0x00FF8000},
      {-600, 400, 1, 490, 242, 1u},  // negative sizes are no sizes
      {100000, 400, 0x01000000, 490, 242, std::nullopt},
      {2048, 2048, 0xFFFFFF, 2048, 2048, 0xFFFFFFu},
  };
  for (const Case& c : cases) {
    const TNewsWindowLayout layout = NewsWindowLayout(c.width, c.height, c.color);
    EXPECT_EQ(layout.clientWidth, c.clientWidth) << c.width << "x" << c.height;
    EXPECT_EQ(layout.clientHeight, c.clientHeight) << c.width << "x" << c.height;
    EXPECT_EQ(layout.background, c.background) << c.color;
  }
}

TEST(NewsWindow, BrowserEmulationFollowsTheBrowserVersion) {
  EXPECT_FALSE(BrowserEmulationValue(0));
  EXPECT_FALSE(BrowserEmulationValue(7));
  EXPECT_EQ(BrowserEmulationValue(8), 8000u);
  EXPECT_EQ(BrowserEmulationValue(11), 11000u);
  EXPECT_EQ(BrowserEmulationValue(12), 12000u);
  EXPECT_FALSE(BrowserEmulationValue(13));
}

}  // namespace
}  // namespace vsm
