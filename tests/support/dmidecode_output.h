#pragma once
// Reads what dmidecode prints for an SMBIOS dump (the *.bin.txt beside each fixture), so that
// tests compare against it instead of restating expectations.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vsm::test {

// One "Handle 0x..., DMI type N, L bytes" block.
struct DmiRecord {
  uint16_t handle = 0;
  int type = 0;
  int length = 0;
  std::string title;  // the line after the handle line
  // "Key: value" lines at the first indent, in order; nested lines are left out.
  std::vector<std::pair<std::string, std::string>> fields;

  // The value of the first line with this key; nothing when dmidecode printed none (a field
  // beyond the structure's length).
  std::optional<std::string> Get(std::string_view key) const;
};

struct DmiOutput {
  std::string version;  // as in "SMBIOS 2.8 present."
  std::vector<DmiRecord> records;

  std::vector<const DmiRecord*> OfType(int type) const;
};

DmiOutput ParseDmidecodeOutput(const std::string& text);

// A dmidecode number with its unit ("2400 MHz", "1600 MT/s", "8 GB"), in the unit's own scale;
// sizes are converted to megabytes. Nothing for "Unknown" and other words.
std::optional<uint64_t> ParseDmiNumber(const std::string& value);
std::optional<uint64_t> ParseDmiSizeMb(const std::string& value);

}  // namespace vsm::test
