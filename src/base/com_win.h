#pragma once
// COM helpers of the Windows shell: the calling thread's apartment, and owners of BSTR and
// VARIANT values.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <string>
#include <string_view>

#include "base/wide_win.h"

namespace vsm {

// COM for the calling thread, undone on leaving only when this object was the one that set it
// up, so the thread's apartment is the same afterwards as before.
class ComApartment {
 public:
  explicit ComApartment(DWORD model = COINIT_MULTITHREADED)
      : initialised_(SUCCEEDED(CoInitializeEx(nullptr, model))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

// COM for the calling thread for the rest of its life, for objects that are kept across calls
// (a single-threaded apartment unless the thread already has one).
void EnterComForThread();

class Bstr {
 public:
  explicit Bstr(std::wstring_view text)
      : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  Bstr() = default;
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return value_; }
  BSTR* out() { return &value_; }
  std::wstring Wide() const { return value_ ? std::wstring(value_, SysStringLen(value_)) : std::wstring(); }
  std::string Utf8() const { return Narrow(Wide()); }

 private:
  BSTR value_ = nullptr;
};

class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* get() { return &value_; }
  const VARIANT& operator*() const { return value_; }

 private:
  VARIANT value_;
};

}  // namespace vsm
