#pragma once
// The theme's colours and fonts as GDI wants them.
#include <windows.h>

#include <cstdint>

#include "ui/DpiScale.h"
#include "ui/Gdi_win.h"
#include "ui/Theme.h"

namespace vsm {

inline COLORREF ToColorRef(uint32_t argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// A font of a role at the window's scale. A non-null `face` (the language file's font) replaces
// the role's face and `charset` its character set.
TFontHandle CreateRoleFont(const TFontRole& role, TDpiScale scale, const wchar_t* face = nullptr,
                           int charset = DEFAULT_CHARSET);

// Fills a rectangle with a theme colour (alpha ignored).
void FillColour(HDC dc, const RECT& rect, uint32_t argb);

}  // namespace vsm
