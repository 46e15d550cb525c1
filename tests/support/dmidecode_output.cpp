#include "dmidecode_output.h"

#include <cstdio>
#include <sstream>

namespace vsm::test {

std::optional<std::string> DmiRecord::Get(std::string_view key) const {
  for (const auto& [name, value] : fields) {
    if (name == key) return value;
  }
  return std::nullopt;
}

std::vector<const DmiRecord*> DmiOutput::OfType(int type) const {
  std::vector<const DmiRecord*> found;
  for (const DmiRecord& record : records) {
    if (record.type == type) found.push_back(&record);
  }
  return found;
}

DmiOutput ParseDmidecodeOutput(const std::string& text) {
  DmiOutput output;
  std::istringstream lines(text);
  std::string line;
  DmiRecord* current = nullptr;
  bool wantTitle = false;
  while (std::getline(lines, line)) {
    unsigned handle = 0;
    int type = 0;
    int length = 0;
    char version[32] = {};
    if (std::sscanf(line.c_str(), "Handle 0x%x, DMI type %d, %d bytes", &handle, &type, &length) == 3) {
      output.records.push_back({static_cast<uint16_t>(handle), type, length, {}, {}});
      current = &output.records.back();
      wantTitle = true;
    } else if (std::sscanf(line.c_str(), "SMBIOS %31s present.", version) == 1) {
      output.version = version;
    } else if (line.empty()) {
      current = nullptr;
    } else if (current && wantTitle) {
      current->title = line;
      wantTitle = false;
    } else if (current && line.size() > 1 && line[0] == '\t' && line[1] != '\t') {
      const size_t colon = line.find(':');
      if (colon == std::string::npos) continue;
      std::string value = colon + 1 < line.size() ? line.substr(colon + 1) : std::string();
      if (!value.empty() && value[0] == ' ') value.erase(0, 1);
      current->fields.emplace_back(line.substr(1, colon - 1), value);
    }
  }
  return output;
}

std::optional<uint64_t> ParseDmiNumber(const std::string& value) {
  unsigned long long number = 0;
  char unit[16] = {};
  if (std::sscanf(value.c_str(), "%llu %15s", &number, unit) != 2) return std::nullopt;
  return number;
}

std::optional<uint64_t> ParseDmiSizeMb(const std::string& value) {
  unsigned long long number = 0;
  char unit[16] = {};
  if (std::sscanf(value.c_str(), "%llu %15s", &number, unit) != 2) return std::nullopt;
  const std::string scale = unit;
  if (scale == "kB") return number / 1024;
  if (scale == "MB") return number;
  if (scale == "GB") return number * 1024;
  if (scale == "TB") return number * 1024 * 1024;
  return std::nullopt;
}

}  // namespace vsm::test
