#include "base/version_resource_win.h"

#include "base/library_win.h"

namespace vsm {

namespace {

struct TVersionLibrary {
  decltype(&::GetFileVersionInfoSizeW) GetFileVersionInfoSizeW = nullptr;
  decltype(&::GetFileVersionInfoW) GetFileVersionInfoW = nullptr;
  decltype(&::VerQueryValueW) VerQueryValueW = nullptr;
};

// Bound once; the library stays loaded for the rest of the process.
const TVersionLibrary& VersionLibrary() {
  static const TVersionLibrary library = [] {
    const HMODULE module = LoadSystemLibrary(L"version.dll");
    TVersionLibrary bound;
    bound.GetFileVersionInfoSizeW =
        BindFunction<decltype(&::GetFileVersionInfoSizeW)>(module, "GetFileVersionInfoSizeW");
    bound.GetFileVersionInfoW = BindFunction<decltype(&::GetFileVersionInfoW)>(module, "GetFileVersionInfoW");
    bound.VerQueryValueW = BindFunction<decltype(&::VerQueryValueW)>(module, "VerQueryValueW");
    return bound;
  }();
  return library;
}

}  // namespace

std::vector<uint8_t> ReadVersionResource(const std::wstring& file) {
  const TVersionLibrary& library = VersionLibrary();
  if (library.GetFileVersionInfoSizeW == nullptr || library.GetFileVersionInfoW == nullptr) return {};
  DWORD ignored = 0;
  const DWORD size = library.GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<uint8_t> resource(size);
  if (!library.GetFileVersionInfoW(file.c_str(), 0, size, resource.data())) return {};
  return resource;
}

bool QueryVersionValue(const std::vector<uint8_t>& resource, const wchar_t* path, void** value,
                       UINT* length) {
  const TVersionLibrary& library = VersionLibrary();
  if (resource.empty() || library.VerQueryValueW == nullptr) return false;
  return library.VerQueryValueW(resource.data(), path, value, length) != FALSE;
}

const VS_FIXEDFILEINFO* FixedFileInfo(const std::vector<uint8_t>& resource) {
  void* fixed = nullptr;
  UINT length = 0;
  if (!QueryVersionValue(resource, L"\\", &fixed, &length) || fixed == nullptr ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return nullptr;
  }
  return static_cast<const VS_FIXEDFILEINFO*>(fixed);
}

}  // namespace vsm
