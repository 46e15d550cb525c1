#include "sysinfo/smbios/SMBiosDump.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/le_bytes.h"
#include "base/text.h"

namespace vsm {
namespace {

constexpr size_t kDumpHeaderSize = 8;
constexpr size_t kEntryPoint2Size = 31;

bool HasAnchor(std::span<const uint8_t> bytes, size_t offset, std::string_view anchor) {
  return offset + anchor.size() <= bytes.size() &&
         std::memcmp(bytes.data() + offset, anchor.data(), anchor.size()) == 0;
}

// The table bytes from `start`, at most `length` of them, as far as the data reaches.
std::vector<uint8_t> TableBytes(std::span<const uint8_t> bytes, uint64_t start, uint64_t length) {
  if (start >= bytes.size()) return {};
  const uint64_t available = std::min<uint64_t>(length, bytes.size() - start);
  const auto first = bytes.begin() + static_cast<ptrdiff_t>(start);
  return std::vector<uint8_t>(first, first + static_cast<ptrdiff_t>(available));
}

TRawSMBIOSData MakeRaw(uint8_t major, uint8_t minor, uint8_t revision, std::vector<uint8_t> table) {
  TRawSMBIOSData raw;
  raw.SMBIOSMajorVersion = major;
  raw.SMBIOSMinorVersion = minor;
  raw.DmiRevision = revision;
  raw.Length = static_cast<uint32_t>(table.size());
  raw.SMBIOSTableData = std::move(table);
  return raw;
}

// An SMBIOS 2.x entry point at `offset`: both anchors and a zero checksum over the length its
// byte 05h gives (1Fh, or 1Eh from some 2.1 firmware; anything else is not an entry point).
bool IsEntryPoint2(std::span<const uint8_t> bytes, size_t offset) {
  if (offset + kEntryPoint2Size > bytes.size()) return false;
  if (!HasAnchor(bytes, offset, "_SM_") || !HasAnchor(bytes, offset + 0x10, "_DMI_")) return false;
  const uint8_t length = bytes[offset + 0x05];
  if (length < 0x1E || length > kEntryPoint2Size) return false;
  uint8_t sum = 0;
  for (size_t i = 0; i < length; ++i) sum = static_cast<uint8_t>(sum + bytes[offset + i]);
  return sum == 0;
}

std::filesystem::path Utf8Path(const std::string& fileName) {
  return std::filesystem::path(std::u8string(fileName.begin(), fileName.end()));
}

}  // namespace

std::vector<uint8_t> EncodeSMBiosDump(const TRawSMBIOSData& raw) {
  std::vector<uint8_t> bytes(kDumpHeaderSize + raw.SMBIOSTableData.size());
  bytes[0] = raw.Used20CallingMethod;
  bytes[1] = raw.SMBIOSMajorVersion;
  bytes[2] = raw.SMBIOSMinorVersion;
  bytes[3] = raw.DmiRevision;
  PutLe(bytes, 4, raw.Length, 4);
  std::copy(raw.SMBIOSTableData.begin(), raw.SMBIOSTableData.end(), bytes.begin() + kDumpHeaderSize);
  return bytes;
}

std::optional<TRawSMBIOSData> DecodeSMBiosDump(std::span<const uint8_t> bytes) {
  if (bytes.size() < kDumpHeaderSize) return std::nullopt;
  const uint32_t length = ByteView(bytes).U32(4);
  if (bytes.size() - kDumpHeaderSize < length) return std::nullopt;
  TRawSMBIOSData raw = MakeRaw(bytes[1], bytes[2], bytes[3], TableBytes(bytes, kDumpHeaderSize, length));
  raw.Used20CallingMethod = bytes[0];
  return raw;
}

std::optional<TRawSMBIOSData> FindSMBiosEntryPoint(std::span<const uint8_t> image) {
  // Candidates lie 16 bytes apart, also after a rejected one.
  for (size_t offset = 0; offset < image.size(); offset += 16) {
    if (!IsEntryPoint2(image, offset)) continue;
    const size_t tableStart = offset + kEntryPoint2Size;
    if (tableStart >= image.size()) continue;
    return MakeRaw(image[offset + 0x06], image[offset + 0x07], image[offset + 0x0A],
                   TableBytes(image, tableStart, ByteView(image).U16(offset + 0x16)));
  }
  return std::nullopt;
}

std::optional<TRawSMBIOSData> DecodeDmidecodeDump(std::span<const uint8_t> bytes) {
  uint8_t major = 0, minor = 0, revision = 0;
  uint64_t address = 0, length = 0;
  const ByteView header(bytes);
  if (HasAnchor(bytes, 0, "_SM3_") && bytes.size() >= 0x18) {
    major = bytes[0x07];
    minor = bytes[0x08];
    revision = bytes[0x0A];
    length = header.U32(0x0C);  // the maximum size; the end-of-table structure ends it earlier
    address = header.U64(0x10);
  } else if (HasAnchor(bytes, 0, "_SM_") && bytes.size() >= kEntryPoint2Size) {
    major = bytes[0x06];
    minor = bytes[0x07];
    revision = bytes[0x0A];
    length = header.U16(0x16);
    address = header.U32(0x18);
  } else if (HasAnchor(bytes, 0, "_DMI_") && bytes.size() >= 0x0F) {
    major = bytes[0x0E] >> 4;  // BCD revision
    minor = bytes[0x0E] & 0x0F;
    length = header.U16(0x06);
    address = header.U32(0x08);
  } else {
    return MakeRaw(0, 0, 0, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  }
  if (address >= bytes.size()) return std::nullopt;
  return MakeRaw(major, minor, revision, TableBytes(bytes, address, length));
}

std::vector<uint8_t> ReadSMBiosFile(const std::string& fileName) {
  std::ifstream file(Utf8Path(fileName), std::ios::binary);
  if (!file) throw ESMBiosError(Format("Cannot open file \"%s\"", fileName.c_str()));
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) throw ESMBiosError("Stream read error");
  return bytes;
}

void WriteSMBiosFile(const std::string& fileName, std::span<const uint8_t> bytes) {
  std::ofstream file(Utf8Path(fileName), std::ios::binary | std::ios::trunc);
  if (!file) throw ESMBiosError(Format("Cannot create file \"%s\"", fileName.c_str()));
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.flush();
  if (!file) throw ESMBiosError("Stream write error");
}

}  // namespace vsm
