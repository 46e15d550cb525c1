#include "dmidecode_compare.h"

namespace vsm::test {
namespace {

std::string AsDmidecodePrints(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte == 127) c = '.';
  }
  return text;
}

// Memory types whose dmidecode name differs from the program's text; all others are the same.
// The program's table ends at DDR4 (1Ah): later codes show as "Unknown" and the number.
const std::map<std::string, std::string> kMemoryTypeTexts = {
    {"Flash", "FLASH"},
    {"LPDDR3", "Unknown 29"},
    {"DDR5", "Unknown 34"},
};

}  // namespace

testing::AssertionResult SameDmiString(const std::optional<std::string>& theirs, const std::string& ours) {
  bool same;
  if (!theirs || *theirs == "<BAD INDEX>") {
    same = ours.empty();
  } else if (*theirs == "Not Specified") {
    same = ours.empty() || ours == "Not Specified";
  } else {
    same = AsDmidecodePrints(ours) == *theirs;
  }
  if (same) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "ours \"" << ours << "\", dmidecode's " << (theirs ? "\"" + *theirs + "\"" : "none");
}

// "Core i9" (CFh) and "Zen" (6Bh) are codes the program's table does not list.
const std::map<std::string, std::string> kDmiFamilyTexts = {
    {"Unknown", "Unknown"},
    {"Other", "Other"},
    {"Xeon", "Intel?Xeon?processor"},
    {"Xeon MP", "Intel?Xeon processor MP"},
    {"Multi-Core Xeon", "Multi-Core Intel?Xeon?processor"},
    {"Core i5", "Intel?Core i5 processor"},
    {"Core i7", "Intel?Core i7 processor"},
    {"Core i9", "Available for assignment"},
    {"Athlon", "AMD Athlon Processor Family"},
    {"Zen", "Available for assignment"},
};

std::string ProgramMemoryTypeText(const std::string& dmidecodeType) {
  const auto renamed = kMemoryTypeTexts.find(dmidecodeType);
  return renamed == kMemoryTypeTexts.end() ? dmidecodeType : renamed->second;
}

}  // namespace vsm::test
