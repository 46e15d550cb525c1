#pragma once
// PNG encoding through the Windows Imaging Component.
#include <cstdint>
#include <vector>

#include "base/ArgbBitmap.h"

namespace vsm {

// The part of the pixels (clipped to the bitmap) as an opaque 24-bit PNG of exactly that part's
// size; the pixels' alpha is ignored. Empty when the part is empty or WIC cannot encode.
std::vector<uint8_t> EncodePng(const ArgbBitmap& pixels, const Rect& part);

}  // namespace vsm
