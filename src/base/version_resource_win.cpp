#include "base/version_resource_win.h"

namespace vsm {

std::vector<uint8_t> ReadVersionResource(const std::wstring& file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<uint8_t> resource(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, resource.data())) return {};
  return resource;
}

const VS_FIXEDFILEINFO* FixedFileInfo(const std::vector<uint8_t>& resource) {
  if (resource.empty()) return nullptr;
  void* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(resource.data(), L"\\", &fixed, &length) || fixed == nullptr ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return nullptr;
  }
  return static_cast<const VS_FIXEDFILEINFO*>(fixed);
}

}  // namespace vsm
