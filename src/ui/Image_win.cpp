#include "ui/Image_win.h"

#include <vector>

#include "ui/ImageIds.h"
#include "ui/Wic_win.h"

namespace vsm {

namespace {

uint32_t Premultiply(uint32_t argb) {
  const uint32_t a = argb >> 24;
  auto channel = [a](uint32_t value) { return (value * a + 127) / 255; };
  return (a << 24) | (channel((argb >> 16) & 0xFF) << 16) | (channel((argb >> 8) & 0xFF) << 8) |
         channel(argb & 0xFF);
}

// 32 bits per pixel, rows top-down.
BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// The pixels of a bitmap as 32-bit top-down rows.
std::vector<uint32_t> ReadBits(HBITMAP bitmap, int width, int height) {
  std::vector<uint32_t> bits(static_cast<size_t>(width) * static_cast<size_t>(height));
  BITMAPINFO info = TopDownInfo(width, height);
  TWindowDC screen(nullptr);
  if (GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS) ==
      0) {
    bits.clear();
  }
  return bits;
}

}  // namespace

std::unique_ptr<TImage> TImage::Create(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  std::unique_ptr<TImage> image(new TImage);
  const BITMAPINFO info = TopDownInfo(width, height);
  void* bits = nullptr;
  image->dc_ = CreateCompatibleDC(nullptr);
  if (image->dc_ == nullptr) return nullptr;
  image->bitmap_.Reset(CreateDIBSection(image->dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!image->bitmap_ || bits == nullptr) return nullptr;
  image->oldBitmap_ = SelectObject(image->dc_, image->bitmap_.Get());
  image->pixels_ = std::make_unique<ArgbBitmap>(static_cast<uint32_t*>(bits), width, height);
  image->pixels_->Fill(0);
  return image;
}

TImage::~TImage() {
  if (dc_ == nullptr) return;
  if (oldBitmap_ != nullptr) SelectObject(dc_, oldBitmap_);
  DeleteDC(dc_);
}

std::unique_ptr<TImage> TImage::FromPngResource(int resourceId) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  const DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
  if (data == nullptr) return nullptr;
  return FromPngBytes(data, size);
}

std::unique_ptr<TImage> TImage::FromPngBytes(const void* data, size_t size) {
  if (data == nullptr || size == 0 || size > MAXDWORD) return nullptr;
  TWicFactory factory;
  TComPtr<IWICStream> stream;
  TComPtr<IWICBitmapDecoder> decoder;
  TComPtr<IWICBitmapFrameDecode> frame;
  TComPtr<IWICFormatConverter> converter;
  UINT width = 0;
  UINT height = 0;
  if (!factory || FAILED(factory->CreateStream(stream.Put())) ||
      FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)),
                                          static_cast<DWORD>(size))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.Put())) ||
      FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(factory->CreateFormatConverter(converter.Put())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0, WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 4096 ||
      height > 4096) {
    return nullptr;
  }
  auto image = Create(static_cast<int>(width), static_cast<int>(height));
  if (!image) return nullptr;
  const UINT stride = width * 4;
  if (FAILED(converter->CopyPixels(nullptr, stride, stride * height,
                                   reinterpret_cast<BYTE*>(image->Pixels().Data())))) {
    return nullptr;
  }
  return image;
}

std::unique_ptr<TImage> TImage::FromPngResourceFor(int resourceId, TDpiScale scale) {
  if (scale.dpi * 4 > kDesignDpi * 5) {
    if (auto larger = FromPngResource(resourceId + IDP_DOUBLE_SIZE)) return larger;
  }
  return FromPngResource(resourceId);
}

std::unique_ptr<TImage> TImage::FromIcon(HICON icon, int size) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return nullptr;
  TBitmapHandle colour(info.hbmColor);
  TBitmapHandle mask(info.hbmMask);
  BITMAP shape{};
  if (!colour || GetObjectW(colour.Get(), sizeof shape, &shape) == 0) return nullptr;
  const int width = shape.bmWidth;
  const int height = shape.bmHeight;
  std::vector<uint32_t> colours = ReadBits(colour.Get(), width, height);
  std::vector<uint32_t> masks = mask ? ReadBits(mask.Get(), width, height) : std::vector<uint32_t>{};
  if (colours.empty()) return nullptr;
  bool hasAlpha = false;
  for (uint32_t pixel : colours) hasAlpha = hasAlpha || (pixel >> 24) != 0;
  auto source = std::make_unique<ArgbBitmap>(width, height);
  for (size_t i = 0; i < colours.size(); ++i) {
    uint32_t pixel = colours[i];
    if (!hasAlpha) {
      const bool transparent = !masks.empty() && (masks[i] & 0xFFFFFF) != 0;
      pixel = transparent ? 0 : (pixel | 0xFF000000u);
    }
    source->Data()[i] = Premultiply(pixel);
  }
  auto image = Create(size, size);
  if (!image) return nullptr;
  // Scaled to the wanted size by blending the full source into the image.
  auto staging = Create(width, height);
  if (!staging) return nullptr;
  std::copy(source->Data(), source->Data() + colours.size(), staging->Pixels().Data());
  staging->Draw(image->DC(), RECT{0, 0, size, size});
  GdiFlush();
  return image;
}

void TImage::Draw(HDC target, const RECT& destination) const {
  DrawPart(target, RECT{0, 0, Width(), Height()}, destination);
}

void TImage::DrawPart(HDC target, const RECT& source, const RECT& destination) const {
  if (destination.right <= destination.left || destination.bottom <= destination.top ||
      source.right <= source.left || source.bottom <= source.top) {
    return;
  }
  GdiFlush();
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  // gdi32's own entry, which msimg32's AlphaBlend forwards to: gdi32 is a known DLL, msimg32 is not.
  GdiAlphaBlend(target, destination.left, destination.top, destination.right - destination.left,
                destination.bottom - destination.top, dc_, source.left, source.top,
                source.right - source.left, source.bottom - source.top, blend);
}

}  // namespace vsm
