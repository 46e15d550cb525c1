#pragma once
// Owners of kernel handles, registry keys, icons and loaded modules: each frees what it holds
// when it goes out of scope, also when the code after the open throws. The GDI and COM owners are
// in ui/Gdi_win.h.
#include <windows.h>

#include <utility>

namespace vsm {

// `Traits::Close` frees a held value; `Traits::Empty` tells the values that hold nothing.
template <class Handle, class Traits>
class TOwned {
 public:
  TOwned() = default;
  explicit TOwned(Handle handle) : handle_(handle) {}
  ~TOwned() { Reset(); }
  TOwned(TOwned&& other) noexcept : handle_(other.Release()) {}
  TOwned& operator=(TOwned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TOwned(const TOwned&) = delete;
  TOwned& operator=(const TOwned&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return !Traits::Empty(handle_); }
  // For functions that hand out a new value through a pointer.
  Handle* Put() {
    Reset();
    return &handle_;
  }
  void Reset(Handle handle = Handle{}) {
    if (!Traits::Empty(handle_)) Traits::Close(handle_);
    handle_ = handle;
  }
  // Gives the value up without freeing it.
  Handle Release() { return std::exchange(handle_, Handle{}); }

 private:
  Handle handle_{};
};

struct TKernelHandleTraits {
  static void Close(HANDLE handle) { CloseHandle(handle); }
  // Kernel functions answer failure with null or with INVALID_HANDLE_VALUE, depending on the call.
  static bool Empty(HANDLE handle) { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }
};
struct TFindTraits {
  static void Close(HANDLE search) { FindClose(search); }
  static bool Empty(HANDLE search) { return search == INVALID_HANDLE_VALUE; }
};
struct TRegistryKeyTraits {
  static void Close(HKEY key) { RegCloseKey(key); }
  static bool Empty(HKEY key) { return key == nullptr; }
};
struct TIconTraits {
  static void Close(HICON icon) { DestroyIcon(icon); }
  static bool Empty(HICON icon) { return icon == nullptr; }
};
struct TModuleTraits {
  static void Close(HMODULE module) { FreeLibrary(module); }
  static bool Empty(HMODULE module) { return module == nullptr; }
};

using TKernelHandle = TOwned<HANDLE, TKernelHandleTraits>;
// A FindFirstFile search, which FindClose ends.
using TFindHandle = TOwned<HANDLE, TFindTraits>;
using TRegistryKey = TOwned<HKEY, TRegistryKeyTraits>;
using TIconHandle = TOwned<HICON, TIconTraits>;
using TModuleHandle = TOwned<HMODULE, TModuleTraits>;

}  // namespace vsm
