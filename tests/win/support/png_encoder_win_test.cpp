// PNG encoding through Wine's own WIC encoder, read back through the program's WIC decoder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "ui/Image_win.h"
#include "ui/PngEncoder_win.h"

namespace vsm {
namespace {

// Every pixel different; some transparent, which the PNG must not keep.
void DrawPattern(ArgbBitmap& pixels) {
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      const uint32_t alpha = (x + y) % 3 == 0 ? 0x00u : 0xFFu;
      pixels.SetPixel(x, y,
                      alpha << 24 | uint32_t(x * 40) << 16 | uint32_t(y * 60) << 8 | uint32_t(200 - x - y));
    }
  }
}

uint32_t BigEndian32(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 |
         bytes[at + 3];
}

struct TEncodeCase {
  const char* name;
  Rect part;
  Rect expected;  // the part of the pattern the PNG holds; empty: no PNG
};

TEST(PngEncoder, EncodesTheClippedPartAsOpaqueRgb) {
  ArgbBitmap pixels(6, 4);
  DrawPattern(pixels);
  const TEncodeCase cases[] = {
      {"whole", {0, 0, 6, 4}, {0, 0, 6, 4}},
      {"inner part", {2, 1, 5, 4}, {2, 1, 5, 4}},
      {"over the top-left edge", {-2, -1, 3, 2}, {0, 0, 3, 2}},
      {"no width", {3, 1, 3, 4}, {}},
      {"outside", {10, 10, 12, 12}, {}},
  };
  for (const TEncodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<uint8_t> png = EncodePng(pixels, c.part);
    const int width = c.expected.right - c.expected.left;
    const int height = c.expected.bottom - c.expected.top;
    if (width == 0) {
      EXPECT_TRUE(png.empty());
      continue;
    }
    ASSERT_GT(png.size(), 33u);
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), png.begin()));
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(BigEndian32(png, 16), uint32_t(width));
    EXPECT_EQ(BigEndian32(png, 20), uint32_t(height));
    EXPECT_EQ(png[24], 8);  // bits per channel
    EXPECT_EQ(png[25], 2);  // truecolour without alpha

    const auto decoded = TImage::FromPngBytes(png.data(), png.size());
    ASSERT_NE(decoded, nullptr);
    ASSERT_EQ(decoded->Width(), width);
    ASSERT_EQ(decoded->Height(), height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const uint32_t source = pixels.Pixel(c.expected.left + x, c.expected.top + y);
        EXPECT_EQ(decoded->Pixels().Pixel(x, y), 0xFF000000u | (source & 0xFFFFFF)) << x << "," << y;
      }
    }
  }
}

TEST(PngEncoder, BytesThatAreNoPngDecodeToNothing) {
  const uint8_t bytes[] = {0x89, 'P', 'N', 'G', 0, 0, 0, 0};
  EXPECT_EQ(TImage::FromPngBytes(bytes, sizeof bytes), nullptr);
  EXPECT_EQ(TImage::FromPngBytes(nullptr, 0), nullptr);
}

}  // namespace
}  // namespace vsm
