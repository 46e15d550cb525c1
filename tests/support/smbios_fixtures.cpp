#include "smbios_fixtures.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sysinfo/smbios/SMBiosDump.h"

namespace vsm::test {
namespace {

const std::filesystem::path kDumpDir = std::filesystem::path(VSM_FIXTURE_DIR) / "smbios";

}  // namespace

std::vector<std::string> SMBiosDumpNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(kDumpDir)) {
    if (entry.path().extension() == ".bin") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::unique_ptr<TSMBios> LoadSMBiosDump(const std::string& name) {
  std::optional<TRawSMBIOSData> raw = DecodeDmidecodeDump(ReadSMBiosFile((kDumpDir / name).string()));
  if (!raw) return nullptr;
  return std::make_unique<TSMBios>(std::move(*raw));
}

DmiOutput DmidecodeOutputOf(const std::string& name) {
  std::ifstream file(kDumpDir / (name + ".txt"), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return ParseDmidecodeOutput(text.str());
}

std::string DumpTestName(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param.substr(0, info.param.size() - 4);
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

}  // namespace vsm::test
