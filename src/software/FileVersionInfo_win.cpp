#include "software/FileVersionInfo_win.h"

#include <windows.h>

#include <vector>

#include "base/version_resource_win.h"
#include "base/wide_win.h"

namespace vsm {

namespace {

// The string value at `path` in the resource, bounded by the length the resource reports.
std::string QueryString(const std::vector<uint8_t>& resource, const std::string& path) {
  void* value = nullptr;
  UINT length = 0;
  std::wstring query = Widen(path);
  if (!QueryVersionValue(resource, query.c_str(), &value, &length) || value == nullptr || length == 0) {
    return {};
  }
  auto* text = static_cast<const wchar_t*>(value);
  return Narrow(std::wstring_view(text, wcsnlen(text, length)));
}

}  // namespace

TFileVersionInfo ReadFileVersionInfo(const std::string& path) {
  TFileVersionInfo info;
  info.FileFunction = FileFunctionText(0, 0);
  const std::vector<uint8_t> resource = ReadVersionResource(Widen(path));
  if (resource.empty()) return info;

  void* translation = nullptr;
  UINT translationLength = 0;
  if (QueryVersionValue(resource, L"\\VarFileInfo\\Translation", &translation, &translationLength) &&
      translation != nullptr && translationLength >= 4) {
    auto* pair = static_cast<const WORD*>(translation);
    for (const VersionStringKey& key : kVersionStringKeys) {
      info.*key.field = QueryString(resource, VersionStringPath(pair[0], pair[1], key.key));
    }
  }

  if (const VS_FIXEDFILEINFO* fileInfo = FixedFileInfo(resource)) {
    ApplyFileFlags(info, fileInfo->dwFileFlagsMask, fileInfo->dwFileFlags);
    info.FileFunction = FileFunctionText(fileInfo->dwFileType, fileInfo->dwFileSubtype);
  }
  return info;
}

std::string GetFileDescription(const std::string& path) { return DescriptionOf(ReadFileVersionInfo(path)); }

std::string GetFileProductName(const std::string& path) { return ReadFileVersionInfo(path).ProductName; }

}  // namespace vsm
