#include "ui/PngEncoder_win.h"

#include <algorithm>

#include "ui/Wic_win.h"

namespace vsm {

namespace {

// The part's rows as 24-bit blue-green-red rows, each padded to four bytes.
std::vector<BYTE> BgrRows(const ArgbBitmap& pixels, const Rect& part, UINT stride) {
  const int width = part.right - part.left;
  std::vector<BYTE> rows(static_cast<size_t>(stride) * static_cast<size_t>(part.bottom - part.top));
  for (int y = part.top; y < part.bottom; ++y) {
    BYTE* out = rows.data() + static_cast<size_t>(y - part.top) * stride;
    for (int x = 0; x < width; ++x) {
      const uint32_t argb = pixels.Pixel(part.left + x, y);
      *out++ = static_cast<BYTE>(argb);
      *out++ = static_cast<BYTE>(argb >> 8);
      *out++ = static_cast<BYTE>(argb >> 16);
    }
  }
  return rows;
}

// What was written into a memory stream.
std::vector<uint8_t> StreamBytes(IStream* stream) {
  HGLOBAL memory = nullptr;
  STATSTG stat{};
  if (FAILED(GetHGlobalFromStream(stream, &memory)) || FAILED(stream->Stat(&stat, STATFLAG_NONAME))) {
    return {};
  }
  const auto* bytes = static_cast<const uint8_t*>(GlobalLock(memory));
  if (bytes == nullptr) return {};
  std::vector<uint8_t> result(bytes, bytes + stat.cbSize.QuadPart);
  GlobalUnlock(memory);
  return result;
}

}  // namespace

std::vector<uint8_t> EncodePng(const ArgbBitmap& pixels, const Rect& part) {
  const Rect clipped{std::max(part.left, 0), std::max(part.top, 0), std::min(part.right, pixels.Width()),
                     std::min(part.bottom, pixels.Height())};
  if (clipped.right <= clipped.left || clipped.bottom <= clipped.top) return {};
  const UINT width = static_cast<UINT>(clipped.right - clipped.left);
  const UINT height = static_cast<UINT>(clipped.bottom - clipped.top);
  const UINT stride = (width * 3 + 3) & ~3u;

  TWicFactory factory;
  TComPtr<IStream> stream;
  TComPtr<IWICBitmapEncoder> encoder;
  TComPtr<IWICBitmapFrameEncode> frame;
  TComPtr<IPropertyBag2> options;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (!factory || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put())) ||
      FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Put())) ||
      FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.Put(), options.Put())) ||
      FAILED(frame->Initialize(options.Get())) || FAILED(frame->SetSize(width, height)) ||
      FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR) {
    return {};
  }
  std::vector<BYTE> rows = BgrRows(pixels, clipped, stride);
  if (FAILED(frame->WritePixels(height, stride, static_cast<UINT>(rows.size()), rows.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    return {};
  }
  return StreamBytes(stream.Get());
}

}  // namespace vsm
