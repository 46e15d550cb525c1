#pragma once
// The registry rules that need no registry: access masks with the view bits, the text form of a
// value by its type, key-path resolution and the text form of a GUID.
#include <cstddef>
#include <cstdint>
#include <string>

namespace vsm {

inline constexpr uint32_t kRegRead = 0x20019;          // KEY_READ
inline constexpr uint32_t kRegReadNoNotify = 0x20009;  // KEY_READ without KEY_NOTIFY
inline constexpr uint32_t kRegQueryValue = 0x1;        // KEY_QUERY_VALUE
inline constexpr uint32_t kRegAllAccess = 0xF003F;     // KEY_ALL_ACCESS
inline constexpr uint32_t kRegView64 = 0x100;          // KEY_WOW64_64KEY
inline constexpr uint32_t kRegView32 = 0x200;          // KEY_WOW64_32KEY
inline constexpr uint32_t kRegViewBits = 0x300;

// What the access mask depends on besides the path: a 32-bit process on 64-bit Windows, and the
// Windows version (major.minor).
struct TRegistryPlatform {
  bool wow64 = false;
  uint32_t major = 0;
  uint32_t minor = 0;
};

// Read or all access; for a 32-bit process on 64-bit Windows with the view requested, plus the
// 64-bit view bit, or the 32-bit one for a "Wow6432Node" path on Vista/Server 2008 (6.0) and
// XP x64/Server 2003 (5.2).
uint32_t RegAccessMask(const std::string& path, bool readOnly, bool useView,
                       const TRegistryPlatform& platform);

// Raw value types.
enum : uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegMultiSz = 7,
  kRegQword = 11,
};

// A value's data as text. Strings (UTF-16LE data) as they are, never expanded; numbers in decimal;
// everything else as two upper-case hex digits per byte separated by ",". With `prefixType`,
// "dword:%08X" for numbers and "hex(<type in hex>):" before the hex form of the other non-strings.
std::string RegDataToString(uint32_t type, const uint8_t* data, size_t size, bool prefixType);

// Where an opened key lands: a path starting with "\" is taken from the root, any other relative
// to the current key when one is open.
struct TResolvedKeyPath {
  bool fromCurrentKey = false;
  std::string openPath;  // what to pass to the open call
  std::string fullPath;  // the new current path below the root
};
TResolvedKeyPath ResolveKeyPath(const std::string& currentPath, bool hasCurrentKey, const std::string& path);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper-case hex, 38 characters.
std::string FormatGuidText(uint32_t data1, uint16_t data2, uint16_t data3, const uint8_t data4[8]);

}  // namespace vsm
