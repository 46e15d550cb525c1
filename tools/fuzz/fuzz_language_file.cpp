// Fuzz target: a language file's bytes, decoded as the translation reads them (UTF-16LE with a
// byte-order mark or UTF-8, then the INI text), with the lookups the program makes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "services/Translation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  std::optional<vsm::TIniDocument> document = vsm::DecodeLanguageFile(bytes);
  if (!document) return 0;
  vsm::ParseLangCodes(document->Read("Lang", "LangCode"));
  vsm::CharsetFromName(document->Read("Lang", "Charset"), 1);
  document->Read("Translation", "ppmExit");
  document->Read("GUI", "ButtonOK");
  return 0;
}
