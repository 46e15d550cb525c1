#include "platform/VeskRegistry_win.h"

#include <vector>

#include "base/wide_win.h"
#include "platform/Is64BitWindows_win.h"
#include "platform/WindowsVersion_win.h"

namespace vsm {

TVeskRegistry::~TVeskRegistry() { CloseKey(); }

void TVeskRegistry::SetRootKey(HKEY key) {
  if (key == FRootKey) return;
  FRootKey = key;
  CloseKey();
}

void TVeskRegistry::ChangeKey(HKEY key, const std::string& path) {
  CloseKey();
  FCurrentKey = key;
  FCurrentPath = path;
}

bool TVeskRegistry::OpenKeyReadOnly(const std::string& path) {
  const TResolvedKeyPath target = ResolveKeyPath(FCurrentPath, FCurrentKey != nullptr, path);
  const HKEY parent = target.fromCurrentKey ? FCurrentKey : FRootKey;
  const std::wstring subKey = Widen(target.openPath);
  const uint32_t view = FAccess & kRegViewBits;
  for (uint32_t rights : {kRegRead, kRegReadNoNotify, kRegQueryValue}) {
    HKEY key = nullptr;
    FLastError = RegOpenKeyExW(parent, subKey.c_str(), 0, view | rights, &key);
    if (FLastError == ERROR_SUCCESS) {
      FAccess = view | rights;
      ChangeKey(key, target.fullPath);
      return true;
    }
  }
  return false;
}

bool TVeskRegistry::OpenKey(const std::string& path, bool canCreate) {
  const TResolvedKeyPath target = ResolveKeyPath(FCurrentPath, FCurrentKey != nullptr, path);
  const HKEY parent = target.fromCurrentKey ? FCurrentKey : FRootKey;
  const std::wstring subKey = Widen(target.openPath);
  HKEY key = nullptr;
  if (canCreate) {
    FLastError = RegCreateKeyExW(parent, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 kRegAllAccess | (FAccess & kRegViewBits), nullptr, &key, nullptr);
  } else {
    FLastError = RegOpenKeyExW(parent, subKey.c_str(), 0, FAccess, &key);
  }
  if (FLastError != ERROR_SUCCESS) return false;
  ChangeKey(key, target.fullPath);
  return true;
}

void TVeskRegistry::CloseKey() {
  if (FCurrentKey == nullptr) return;
  if (!FLazyWrite) RegFlushKey(FCurrentKey);
  RegCloseKey(FCurrentKey);
  FCurrentKey = nullptr;
  FCurrentPath.clear();
}

bool TVeskRegistry::GetDataInfo(const std::string& name, TRegDataInfoEx& info) {
  DWORD type = REG_NONE;
  DWORD size = 0;
  FLastError = RegQueryValueExW(FCurrentKey, Widen(name).c_str(), nullptr, &type, nullptr, &size);
  info = {};
  if (FLastError != ERROR_SUCCESS) return false;
  info.RegData = static_cast<uint8_t>(type);
  info.DataSize = size;
  return true;
}

std::string TVeskRegistry::GetDataAsString(const std::string& name, bool prefixType) {
  TRegDataInfoEx info;
  if (!GetDataInfo(name, info)) return {};
  std::vector<uint8_t> data(info.DataSize);
  DWORD type = REG_NONE;
  DWORD size = info.DataSize;
  FLastError = RegQueryValueExW(FCurrentKey, Widen(name).c_str(), nullptr, &type,
                                data.empty() ? nullptr : data.data(), &size);
  if (FLastError != ERROR_SUCCESS) return {};
  data.resize(size);
  return RegDataToString(type, data.data(), data.size(), prefixType);
}

bool TVeskRegistry::WriteString(const std::string& name, const std::string& value) {
  const std::wstring text = Widen(value);
  FLastError =
      RegSetValueExW(FCurrentKey, Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  return FLastError == ERROR_SUCCESS;
}

TRegistryPlatform CurrentRegistryPlatform() {
  static const TRegistryPlatform platform = [] {
    const TWindowsVersion version = TrueWindowsVersion();
    return TRegistryPlatform{Is64BitWindows(), version.major, version.minor};
  }();
  return platform;
}

uint32_t RegAccess(const std::string& path, bool readOnly, bool useView) {
  return RegAccessMask(path, readOnly, useView, CurrentRegistryPlatform());
}

bool ReadRegString(HKEY root, const std::string& path, const std::string& name, bool useView,
                   std::string& text) {
  text.clear();
  TVeskRegistry registry(RegAccess(path, true, useView));
  registry.SetRootKey(root);
  if (!registry.OpenKeyReadOnly(path)) return false;
  text = registry.GetDataAsString(name, false);
  return true;
}

}  // namespace vsm
