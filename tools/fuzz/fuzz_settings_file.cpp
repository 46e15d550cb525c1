// Fuzz target: a settings file's bytes (UTF-16LE with a byte-order mark as the program writes
// it, else UTF-8), read as INI text and then through the settings rules.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/IniDocument.h"
#include "base/text.h"
#include "services/AppConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  std::optional<std::string> text = vsm::DecodeUtf16LeFile(bytes);
  if (!text) text = std::string(bytes.begin(), bytes.end());
  const vsm::TIniDocument document = vsm::TIniDocument::Parse(*text);
  vsm::TAppConfig config;
  vsm::ReadSettings(config, [&](const char* key, const std::string& fallback) {
    std::string value = document.Read(vsm::kSettingsSection, key);
    return value.empty() ? fallback : value;
  });
  vsm::SettingsEntries(config);
  return 0;
}
