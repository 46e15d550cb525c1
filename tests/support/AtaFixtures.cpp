#include "AtaFixtures.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vsm::test::ata {

namespace {

std::string Path(const std::string& fileName) { return std::string(VSM_FIXTURE_DIR) + "/ata/" + fileName; }

std::string Strip(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t\r");
  size_t end = text.find_last_not_of(" \t\r");
  return begin == std::string::npos ? std::string() : text.substr(begin, end - begin + 1);
}

}  // namespace

std::vector<std::string> FixtureDrives() {
  // Listed rather than globbed: the test binary under Wine has no portable directory listing here.
  return {"fwupd__Samsung_SSD_860_EVO_500GB",
          "libatasmart__FUJITSU_MHY2120BH--0084000D",
          "libatasmart__FUJITSU_MHY2250BH--0085000B",
          "libatasmart__INTEL_SSDSA2MH080G1GC--045C8820",
          "libatasmart__Maxtor_96147H8--BAC51KJ0--2",
          "libatasmart__SAMSUNG_HD501LJ--CR100-12",
          "libatasmart__SAMSUNG_MP0804H--UE100-14",
          "libatasmart__ST9100821AS--3.CME",
          "libatasmart__TOSHIBA_MK1651GSY--38IGT0G5T",
          "libatasmart__WDC_WD2500JS-75NCB3--10.02E04",
          "libblockdev__Biwintech_SSD_SX500",
          "libblockdev__Hitachi_HDS721010CLA632",
          "libblockdev__KINGSTON_SA400S37240G_SBFK71B1",
          "libblockdev__Maxtor_6Y120P0",
          "libblockdev__SAMSUNG_HS122JC",
          "libblockdev__SiliconPower_SSD_SBFM61.3",
          "libblockdev__WDC_WD20EARS-00MVWB0"};
}

std::vector<uint8_t> FixtureBytes(const std::string& fileName) {
  std::ifstream in(Path(fileName), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Identify(const std::string& drive) { return FixtureBytes(drive + ".identify.bin"); }
std::vector<uint8_t> Smart(const std::string& drive) { return FixtureBytes(drive + ".smart_data.bin"); }

std::string HdparmText(const std::string& drive) {
  std::vector<uint8_t> bytes = FixtureBytes(drive + ".hdparm.txt");
  return std::string(bytes.begin(), bytes.end());
}

std::map<std::string, std::string> Hdparm(const std::string& drive) {
  std::map<std::string, std::string> fields;
  std::istringstream in(HdparmText(drive));
  std::string line;
  while (std::getline(in, line)) {
    size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    fields.emplace(Strip(line.substr(0, colon)), Strip(line.substr(colon + 1)));
  }
  return fields;
}

}  // namespace vsm::test::ata
