#pragma once
// How the program's SMBIOS texts compare with what dmidecode printed for the same table.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace vsm::test {

// A string field against dmidecode's line for it. dmidecode prints "Not Specified" for string
// number 0 (which a BIOS may also spell out itself), "<BAD INDEX>" for a number past the set, no
// line at all for a field beyond the structure's length, and "." for every byte outside 32..126;
// the program gives empty text for the first three.
testing::AssertionResult SameDmiString(const std::optional<std::string>& theirs, const std::string& ours);

// Processor family texts: dmidecode's names against this program's own table, by the SMBIOS code
// behind them.
extern const std::map<std::string, std::string> kDmiFamilyTexts;
// A memory type as the program names it, from dmidecode's name.
std::string ProgramMemoryTypeText(const std::string& dmidecodeType);

}  // namespace vsm::test
