// Translated patterns that should take one integer: checked, never handed to printf as they are.
#include <gtest/gtest.h>

#include "pages/IntegerPattern.h"

namespace vsm {
namespace {

TEST(IntegerPattern, ValidPatternsAreFormattedAndOthersRefused) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"Core %d temperature", "Core 3 temperature"},
      {"Kern %d Temperatur", "Kern 3 Temperatur"},
      {"\u6838\u5FC3 %d \u6E29\u5EA6", "\u6838\u5FC3 3 \u6E29\u5EA6"},
      {"Core %0:d / %0:d", "Core 3 / 3"},
      {"Core %3d|", "Core   3|"},
      {"Core %-3d|", "Core 3  |"},
      {"Core %.2d", "Core 03"},
      {"Core %0:-4.2d|", "Core 03  |"},
      {"Core %x, %0:U", "Core 3, 3"},
      {"100%% core %d", "100% core 3"},
      {"Core temperature", "Core temperature"},
      {"Core %s temperature", std::nullopt},
      {"Core %d of %d", std::nullopt},
      {"Core %0:d of %d", std::nullopt},
      {"Core %1:d", std::nullopt},
      {"Core %f", std::nullopt},
      {"Core %n", std::nullopt},
      {"Core %*d", std::nullopt},
      {"Core %", std::nullopt},
      {"Core %-", std::nullopt},
      {"Core %99999999999d", std::nullopt},
      {"Core %.999d", std::nullopt},
  };
  for (const auto& [pattern, expected] : cases)
    EXPECT_EQ(FormatWithOneInteger(pattern, 3), expected) << pattern;
}

}  // namespace
}  // namespace vsm
