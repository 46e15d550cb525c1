#pragma once
// The Windows Imaging Component's factory, which decodes and encodes the program's PNG images.
// It is made through COM (CoCreateInstance), so the executable does not import windowscodecs.dll
// and still starts where that library is missing (Windows XP before its update).
#include <windows.h>
#include <wincodec.h>

#include "base/com_win.h"
#include "ui/Gdi_win.h"

namespace vsm {

// The factory with COM set up on the calling thread for the object's lifetime (a single-threaded
// apartment unless the thread already has one). Empty when WIC is not there.
class TWicFactory {
 public:
  TWicFactory();
  TWicFactory(const TWicFactory&) = delete;
  TWicFactory& operator=(const TWicFactory&) = delete;

  explicit operator bool() const { return static_cast<bool>(factory_); }
  IWICImagingFactory* operator->() const { return factory_.Get(); }

 private:
  ComApartment com_{COINIT_APARTMENTTHREADED};
  TComPtr<IWICImagingFactory> factory_;
};

}  // namespace vsm
