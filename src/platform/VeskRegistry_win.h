#pragma once
// The program's registry class: a root key and one open current key, opened with access masks
// that carry the view bits, so the 32-bit program reads the 64-bit registry on 64-bit Windows.
// Values are read through ReadRegString.
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/RegistryRules.h"

namespace vsm {

struct TRegDataInfoEx {
  uint8_t RegData = 0;  // raw value type
  uint32_t DataSize = 0;
};

class TVeskRegistry {
 public:
  TVeskRegistry() : TVeskRegistry(kRegAllAccess) {}
  explicit TVeskRegistry(uint32_t access) : FAccess(access) {}
  ~TVeskRegistry();
  TVeskRegistry(const TVeskRegistry&) = delete;
  TVeskRegistry& operator=(const TVeskRegistry&) = delete;

  HKEY RootKey() const { return FRootKey; }
  void SetRootKey(HKEY key);
  uint32_t Access() const { return FAccess; }
  void SetAccess(uint32_t access) { FAccess = access; }
  void SetLazyWrite(bool lazy) { FLazyWrite = lazy; }
  HKEY CurrentKey() const { return FCurrentKey; }
  const std::string& CurrentPath() const { return FCurrentPath; }
  LONG LastError() const { return FLastError; }

  // Read, then read without notify, then query-value-only, each with the view bits of Access.
  bool OpenKeyReadOnly(const std::string& path);
  // Opens with Access, creating the key (all access plus the view bits) when `canCreate`.
  bool OpenKey(const std::string& path, bool canCreate);
  void CloseKey();

  bool GetDataInfo(const std::string& name, TRegDataInfoEx& info);
  // The value as text by its type; empty when it cannot be queried.
  std::string GetDataAsString(const std::string& name, bool prefixType);
  bool WriteString(const std::string& name, const std::string& value);

 private:
  void ChangeKey(HKEY key, const std::string& path);

  HKEY FCurrentKey = nullptr;
  HKEY FRootKey = HKEY_CURRENT_USER;
  bool FLazyWrite = true;
  std::string FCurrentPath;
  uint32_t FAccess;
  LONG FLastError = ERROR_SUCCESS;
};

// The platform this process runs on, as the access masks need it.
TRegistryPlatform CurrentRegistryPlatform();

uint32_t RegAccess(const std::string& path, bool readOnly, bool useView);

// Reads a value as text (see TVeskRegistry::GetDataAsString) from root\path; false, with empty
// text, when the key cannot be opened.
bool ReadRegString(HKEY root, const std::string& path, const std::string& name, bool useView,
                   std::string& text);

}  // namespace vsm
