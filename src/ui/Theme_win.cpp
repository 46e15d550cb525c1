#include "ui/Theme_win.h"

#include "base/wide_win.h"

namespace vsm {

TFontHandle CreateRoleFont(const TFontRole& role, TDpiScale scale, const wchar_t* face, int charset) {
  LOGFONTW font{};
  font.lfHeight = scale(role.height);
  font.lfWeight = role.bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = static_cast<BYTE>(charset);
  font.lfQuality = DEFAULT_QUALITY;
  const std::wstring name = face != nullptr ? std::wstring(face) : Widen(role.face);
  lstrcpynW(font.lfFaceName, name.c_str(), LF_FACESIZE);
  return TFontHandle(CreateFontIndirectW(&font));
}

void FillColour(HDC dc, const RECT& rect, uint32_t argb) {
  // The DC brush is a stock object: no brush is created per fill.
  SetDCBrushColor(dc, ToColorRef(argb));
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

}  // namespace vsm
