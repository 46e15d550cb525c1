#include "base/DibCanvas_win.h"

#include <algorithm>

#include "base/ByteSize_win.h"
#include "base/wide_win.h"

namespace vsm {

namespace {

COLORREF ToColorRef(uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

}  // namespace

TDibCanvas::TDibCanvas(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like ArgbBitmap
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_ != nullptr && width > 0 && height > 0) {
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  }
  if (bitmap_ != nullptr && bits != nullptr) {
    oldBitmap_ = SelectObject(dc_, bitmap_);
    pixels_ = std::make_unique<ArgbBitmap>(static_cast<uint32_t*>(bits), width, height);
    pixels_->Fill(0);
  } else {
    pixels_ = std::make_unique<ArgbBitmap>(nullptr, 0, 0);
  }
}

TDibCanvas::~TDibCanvas() {
  if (dc_ != nullptr) {
    if (oldBitmap_ != nullptr) SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (font_ != nullptr) DeleteObject(font_);
}

void TDibCanvas::Polyline(const Point* points, size_t count, uint32_t penArgb) {
  if (bitmap_ == nullptr || count < 2) return;
  gdiPoints_.resize(count);
  Rect box{points[0].x, points[0].y, points[0].x, points[0].y};
  for (size_t i = 0; i < count; ++i) {
    gdiPoints_[i] = {points[i].x, points[i].y};
    box = {std::min(box.left, points[i].x), std::min(box.top, points[i].y), std::max(box.right, points[i].x),
           std::max(box.bottom, points[i].y)};
  }
  SaveBox({box.left - 1, box.top - 1, box.right + 2, box.bottom + 2});
  HPEN pen = CreatePen(PS_SOLID, 1, ToColorRef(penArgb));
  HGDIOBJ oldPen = SelectObject(dc_, pen);
  ::Polyline(dc_, gdiPoints_.data(), static_cast<int>(count));
  SelectObject(dc_, oldPen);
  DeleteObject(pen);
  MakeChangedPixelsOpaque();
}

bool TDibCanvas::SelectFont(int fontSize) {
  if (font_ == nullptr || fontSize_ != fontSize) {
    LOGFONTW face = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    face.lfHeight = -MulDiv(fontSize, GetDeviceCaps(dc_, LOGPIXELSY), 72);
    face.lfWidth = 0;
    HFONT font = CreateFontIndirectW(&face);
    if (font == nullptr) return false;
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;
    fontSize_ = fontSize;
  }
  SelectObject(dc_, font_);
  return true;
}

int TDibCanvas::TextWidth(std::string_view text, int fontSize) {
  if (dc_ == nullptr || !SelectFont(fontSize)) return 0;
  std::wstring wide = Widen(text);
  SIZE size = {};
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

void TDibCanvas::DrawText(int x, int y, std::string_view text, int fontSize, FontColour colour,
                          unsigned flags) {
  if (bitmap_ == nullptr || !SelectFont(fontSize)) return;
  std::wstring wide = Widen(text);
  SIZE size = {};
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  // Room for overhangs of the glyphs on every side.
  SaveBox({x - 2, y - 2, x + size.cx + 3, y + size.cy + 3});
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, colour.systemIndex >= 0 ? GetSysColor(colour.systemIndex) : ToColorRef(colour.argb));
  RECT rect = {x, y, x + size.cx, y + size.cy};
  ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rect, flags);
  MakeChangedPixelsOpaque();
}

std::string TDibCanvas::DecimalSeparator() const { return UserDecimalSeparator(); }

void TDibCanvas::SaveBox(Rect box) {
  ArgbBitmap& pixels = *pixels_;
  savedBox_ = {std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, pixels.Width()),
               std::min(box.bottom, pixels.Height())};
  saved_.clear();
  for (int y = savedBox_.top; y < savedBox_.bottom; ++y) {
    for (int x = savedBox_.left; x < savedBox_.right; ++x) saved_.push_back(pixels.Pixel(x, y));
  }
}

void TDibCanvas::MakeChangedPixelsOpaque() {
  GdiFlush();
  ArgbBitmap& pixels = *pixels_;
  size_t at = 0;
  for (int y = savedBox_.top; y < savedBox_.bottom; ++y) {
    for (int x = savedBox_.left; x < savedBox_.right; ++x) {
      uint32_t now = pixels.Pixel(x, y);
      if (now != saved_[at++]) pixels.SetPixel(x, y, now | 0xFF000000u);
    }
  }
}

}  // namespace vsm
