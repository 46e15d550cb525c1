#include "platform/RegistryReader_win.h"

#include <windows.h>

#include "base/handle_win.h"
#include "base/wide_win.h"
#include "platform/VeskRegistry_win.h"

namespace vsm {

namespace {

HKEY RootKey(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine: break;
  }
  return HKEY_LOCAL_MACHINE;
}

}  // namespace

RegStringReader SystemRegStringReader() {
  return [](RegRoot root, const std::string& path, const std::string& name, std::string& text) {
    std::string value;
    if (!ReadRegString(RootKey(root), path, name, true, value)) return false;
    text = std::move(value);
    return true;
  };
}

RegSubkeyLister SystemRegSubkeyLister() {
  return [](RegRoot root, const std::string& path) {
    std::vector<std::string> names;
    std::string relative = !path.empty() && path.front() == '\\' ? path.substr(1) : path;
    REGSAM access = RegAccess(relative, true, true);
    TRegistryKey key;
    if (RegOpenKeyExW(RootKey(root), Widen(relative).c_str(), 0, access, key.Put()) != ERROR_SUCCESS) {
      return names;
    }
    // Key names are at most 255 characters.
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = 256;
      LONG result = RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (result != ERROR_SUCCESS) break;
      names.push_back(Narrow(std::wstring_view(name, length)));
    }
    return names;
  };
}

}  // namespace vsm
