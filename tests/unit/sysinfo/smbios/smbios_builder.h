#pragma once
// Builds SMBIOS structures byte by byte, laid out as firmware lays them out, for the cases the
// real dumps do not show.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "sysinfo/smbios/uSMBIOS.h"

namespace vsm::test {

class StructureBuilder {
 public:
  // A formatted area of `length` bytes (header included), zero but for the header.
  StructureBuilder(uint8_t type, uint16_t handle, uint8_t length) : bytes_(length, 0) {
    Byte(0, type).Byte(1, length).Word(2, handle);
  }
  StructureBuilder& Byte(size_t offset, uint8_t value) {
    bytes_.at(offset) = value;
    return *this;
  }
  StructureBuilder& Word(size_t offset, uint16_t value) {
    return Byte(offset, value & 0xFF).Byte(offset + 1, value >> 8);
  }
  StructureBuilder& DWord(size_t offset, uint32_t value) {
    return Word(offset, value & 0xFFFF).Word(offset + 2, value >> 16);
  }
  StructureBuilder& Strings(std::vector<std::string> strings) {
    strings_ = std::move(strings);
    return *this;
  }
  // The formatted area and its string set; a set without strings is two NULs.
  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> bytes = bytes_;
    for (const std::string& s : strings_) {
      bytes.insert(bytes.end(), s.begin(), s.end());
      bytes.push_back(0);
    }
    if (strings_.empty()) bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
  }

 private:
  std::vector<uint8_t> bytes_;
  std::vector<std::string> strings_;
};

inline std::vector<uint8_t> EndOfTable(uint16_t handle = 0xFEFF) {
  return StructureBuilder(127, handle, 4).Bytes();
}

inline std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

inline TRawSMBIOSData RawTable(std::vector<uint8_t> table, uint8_t major = 2, uint8_t minor = 8) {
  TRawSMBIOSData raw;
  raw.SMBIOSMajorVersion = major;
  raw.SMBIOSMinorVersion = minor;
  raw.Length = static_cast<uint32_t>(table.size());
  raw.SMBIOSTableData = std::move(table);
  return raw;
}

inline std::unique_ptr<TSMBios> SMBiosOf(std::vector<uint8_t> table) {
  return std::make_unique<TSMBios>(RawTable(std::move(table)));
}

}  // namespace vsm::test
