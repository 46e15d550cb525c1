#include <gtest/gtest.h>

#include "base/ByteSize.h"

namespace vsm {
namespace {

TEST(FormatByteSize, UnitsDecimalsAndTheEarlyStepUp) {
  struct Case {
    int64_t bytes;
    const char* text;
  };
  const Case cases[] = {
      {0, "0.00 KB"},
      {512, "0.50 KB"},
      {1500, "1.46 KB"},
      {102400, "100.0 KB"},
      {1024 * 1000, "1000.0 KB"},     // exactly 1000 stays
      {1024 * 1000 + 11, "0.98 MB"},  // just above 1000 moves up
      {1035000, "0.99 MB"},
      {1048576, "1.00 MB"},
      {5LL << 30, "5.00 GB"},
      {1LL << 40, "1.00 TB"},
      {1LL << 50, "1024.0 TB"},  // no unit above TB
      {-1, "-"},
      {INT64_MIN, "-"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatByteSize(c.bytes, "."), c.text) << c.bytes;
}

TEST(FormatByteSize, UsesTheGivenDecimalSeparator) {
  EXPECT_EQ(FormatByteSize(1536, ","), "1,50 KB");
  EXPECT_EQ(FormatByteSize(102400, ","), "100,0 KB");
}

}  // namespace
}  // namespace vsm
