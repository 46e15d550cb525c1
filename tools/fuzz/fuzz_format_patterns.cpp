// Fuzz target: translated texts that the program formats with numbers: the process summary with
// its three places and the patterns for one integer. The first four bytes are the integer, the
// rest the text as a language file could hold it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "pages/IntegerPattern.h"
#include "software/page/ProcessPageRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  int32_t value = 0;
  std::memcpy(&value, data, sizeof value);
  const std::string text(reinterpret_cast<const char*>(data + 4), size - 4);
  const auto pieces = vsm::SummaryPieces(text);
  size_t total = 0;
  for (const std::string& piece : pieces) total += piece.size();
  if (total > text.size() && total > std::strlen(vsm::kTotalProcessDefault)) __builtin_trap();
  vsm::FormatWithOneInteger(text, value);
  return 0;
}
