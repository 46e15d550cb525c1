#include "platform/RegistryRules.h"

#include <algorithm>

#include "base/le_bytes.h"
#include "base/text.h"

namespace vsm {

namespace {

// A number of `width` bytes (at most 8); data shorter than that counts the missing high bytes as 0.
uint64_t NumberData(const uint8_t* data, size_t size, size_t width) {
  uint8_t padded[8] = {};
  std::copy_n(data, std::min({size, width, sizeof padded}), padded);
  return ByteView(padded, sizeof padded).U64(0);
}

std::string HexForm(const uint8_t* data, size_t size) {
  std::string text;
  for (size_t i = 0; i < size; ++i) {
    if (i > 0) text += ',';
    text += Format("%02X", data[i]);
  }
  return text;
}

std::string Utf16Data(const uint8_t* data, size_t size) {
  const ByteView bytes(data, size);
  std::u16string units;
  for (size_t i = 0; i + 1 < size; i += 2) {
    const auto unit = static_cast<char16_t>(bytes.U16(i));
    if (unit == 0) break;
    units += unit;
  }
  return Utf16ToUtf8(units);
}

}  // namespace

uint32_t RegAccessMask(const std::string& path, bool readOnly, bool useView,
                       const TRegistryPlatform& platform) {
  const uint32_t base = readOnly ? kRegRead : kRegAllAccess;
  if (!platform.wow64 || !useView) return base;
  const bool oldView =
      (platform.major == 6 && platform.minor == 0) || (platform.major == 5 && platform.minor == 2);
  if (oldView && ContainsNoCase(path, "wow6432node")) return base | kRegView32;
  return base | kRegView64;
}

std::string RegDataToString(uint32_t type, const uint8_t* data, size_t size, bool prefixType) {
  const std::string prefix = prefixType ? AsciiLower(Format("hex(%x):", type)) : std::string();
  switch (type) {
    case kRegSz: return Utf16Data(data, size);
    case kRegExpandSz: return prefixType ? prefix + HexForm(data, size) : Utf16Data(data, size);
    case kRegDword:
      if (prefixType) return Format("dword:%08X", static_cast<uint32_t>(NumberData(data, size, 4)));
      return std::to_string(NumberData(data, size, 4));
    case kRegDwordBigEndian:
    case kRegQword:
      if (prefixType) return prefix + HexForm(data, size);
      return std::to_string(NumberData(data, size, type == kRegQword ? 8 : 4));
    default: return prefix + HexForm(data, size);
  }
}

TResolvedKeyPath ResolveKeyPath(const std::string& currentPath, bool hasCurrentKey, const std::string& path) {
  if (!path.empty() && path[0] == '\\') return {false, path.substr(1), path.substr(1)};
  if (!hasCurrentKey) return {false, path, path};
  return {true, path, currentPath.empty() ? path : currentPath + "\\" + path};
}

std::string FormatGuidText(uint32_t data1, uint16_t data2, uint16_t data3, const uint8_t data4[8]) {
  return Format("{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", data1, data2, data3, data4[0], data4[1],
                data4[2], data4[3], data4[4], data4[5], data4[6], data4[7]);
}

}  // namespace vsm
