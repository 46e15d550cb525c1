#pragma once
// The program's blue, and the two forms the drawing code takes colours in.
#include <cstdint>

namespace vsm {

// 0xRRGGBB.
inline constexpr uint32_t kBrandColour = 0x119DDE;

// 0xAARRGGBB, fully opaque, for the ARGB bitmaps.
constexpr uint32_t OpaqueArgb(uint32_t rgb) { return 0xFF000000u | rgb; }
// 0x00BBGGRR, the GDI order.
constexpr uint32_t GdiColour(uint32_t rgb) {
  return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

}  // namespace vsm
