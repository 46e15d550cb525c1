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
const std::map<std::string, std::string> kMemoryTypeTexts = {
    {"Flash", "FLASH"},
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
  return testing::AssertionFailure() << "ours \"" << ours << "\", dmidecode's "
                                     << (theirs ? "\"" + *theirs + "\"" : "none");
}

// dmidecode's short names against the SMBIOS reference's texts that the program shows.
const std::map<std::string, std::string> kDmiFamilyTexts = {
    {"Unknown", "Unknown"},
    {"Other", "Other"},
    {"Xeon", "Intel\u00AE Xeon\u00AE processor"},
    {"Xeon MP", "Intel\u00AE Xeon\u2122 processor MP"},
    {"Multi-Core Xeon", "Multi-Core Intel\u00AE Xeon\u00AE processor"},
    {"Core i5", "Intel\u00AE Core\u2122 i5 processor"},
    {"Core i7", "Intel\u00AE Core\u2122 i7 processor"},
    {"Core i9", "Intel\u00AE Core\u2122 i9 processor"},
    {"Athlon", "AMD Athlon\u2122 Processor Family"},
    {"Zen", "AMD Zen Processor Family"},
};

std::string ProgramMemoryTypeText(const std::string& dmidecodeType) {
  const auto renamed = kMemoryTypeTexts.find(dmidecodeType);
  return renamed == kMemoryTypeTexts.end() ? dmidecodeType : renamed->second;
}

}  // namespace vsm::test
