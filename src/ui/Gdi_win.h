#pragma once
// Owners of GDI and COM resources: each frees what it holds when it goes out of scope.
#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace vsm {

// A GDI object (font, brush, pen, bitmap, region) deleted with DeleteObject.
template <class Handle>
class TGdiObject {
 public:
  TGdiObject() = default;
  explicit TGdiObject(Handle handle) : handle_(handle) {}
  ~TGdiObject() { Reset(); }
  TGdiObject(TGdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  TGdiObject& operator=(TGdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

using TFontHandle = TGdiObject<HFONT>;
using TBrushHandle = TGdiObject<HBRUSH>;
using TPenHandle = TGdiObject<HPEN>;
using TBitmapHandle = TGdiObject<HBITMAP>;
using TRegionHandle = TGdiObject<HRGN>;

// Selects an object into a DC for the guard's lifetime.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object)
      : dc_(dc), old_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
  ~TSelectObject() {
    if (old_ != nullptr) SelectObject(dc_, old_);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window's DC (the screen's for null), released at the end.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~TWindowDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class TPaintDC {
 public:
  explicit TPaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~TPaintDC() { EndPaint(window_, &paint_); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A COM interface pointer, released at the end.
template <class Interface>
class TComPtr {
 public:
  TComPtr() = default;
  ~TComPtr() { Reset(); }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;

  Interface* Get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For functions that hand out a new reference.
  Interface** Put() {
    Reset();
    return &pointer_;
  }
  void Reset() {
    if (pointer_ != nullptr) pointer_->Release();
    pointer_ = nullptr;
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace vsm
