#pragma once
// An INI text held in memory: "[section]" headers and key=value lines. Sections and keys compare
// without regard to ASCII case, blanks around keys and values are dropped, and the first of two
// equal keys wins, as with the Windows profile functions. Lines that are neither are ignored.
#include <map>
#include <string>
#include <string_view>

namespace vsm {

class TIniDocument {
 public:
  static TIniDocument Parse(std::string_view text);
  // The value, or empty text when the section or key is absent.
  std::string Read(std::string_view section, std::string_view key) const;

 private:
  std::map<std::string, std::map<std::string, std::string>> sections_;  // lower-cased names
};

}  // namespace vsm
