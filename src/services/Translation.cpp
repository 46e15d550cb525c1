#include "services/Translation.h"

#include <array>
#include <utility>

#include "base/text.h"

namespace vsm {

namespace {

constexpr const char* kTranslation = "Translation";
constexpr const char* kDefaultFont = "Tahoma";
constexpr int kDefaultFontSize = 8;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

bool IsPlainLanguageName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
      return false;
    }
  }
  return true;
}

std::optional<TIniDocument> DecodeLanguageFile(const std::vector<uint8_t>& bytes) {
  if (auto text = DecodeUtf16LeFile(bytes)) return TIniDocument::Parse(*text);
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  if (!IsValidUtf8(text) || text.find('\0') != std::string_view::npos) return std::nullopt;
  return TIniDocument::Parse(text);
}

std::vector<std::string> ParseLangCodes(const std::string& value) {
  std::vector<std::string> codes = Split(AsciiLower(value), '|');
  if (!codes.empty() && codes.back().empty()) codes.pop_back();
  return codes;
}

std::string DetectLanguage(uint16_t uiLanguage, const std::vector<std::string>& names,
                           const std::string& folder, const LanguageFiles& files) {
  const std::string wanted = Format("%04X", uiLanguage);
  for (const std::string& name : names) {
    const std::string path = folder + name + ".ini";
    if (!files.exists(path)) continue;
    auto bytes = files.read(path);
    auto document = bytes ? DecodeLanguageFile(*bytes) : std::nullopt;
    if (!document) continue;
    for (const std::string& code : ParseLangCodes(document->Read(kTranslation, "LangCode"))) {
      if (EqualsNoCase(code, wanted)) return name;
    }
  }
  return kFallbackLanguage;
}

int CharsetFromName(const std::string& name, int unknown) {
  static constexpr std::array<std::pair<const char*, int>, 21> kCharsets{{
      {"ANSI_CHARSET", 0},          {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
      {"MAC_CHARSET", 77},          {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
      {"HANGUL_CHARSET", 129},      {"JOHAB_CHARSET", 130},    {"GB2312_CHARSET", 134},
      {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161},    {"TURKISH_CHARSET", 162},
      {"VIETNAMESE_CHARSET", 163},  {"HEBREW_CHARSET", 177},   {"ARABIC_CHARSET", 178},
      {"BALTIC_CHARSET", 186},      {"RUSSIAN_CHARSET", 204},  {"THAI_CHARSET", 222},
      {"EASTEUROPE_CHARSET", 238},  {"OEM_CHARSET", 255},      {"FS_LATIN1", 0},
  }};
  const std::string wanted = Trim(name);
  for (const auto& [charsetName, value] : kCharsets) {
    if (EqualsNoCase(wanted, charsetName)) return value;
  }
  return unknown;
}

void TTranslator::SetLanguageFile(const std::string& folder, const std::string& name) {
  const std::string path = folder + name + ".ini";
  FLangFile = IsPlainLanguageName(name) && FFiles.exists(path) ? path : folder + kFallbackLanguage + ".ini";
  FCurrent.reset();
  FCurrentLoaded = false;
}

void TTranslator::ReloadLanguage() {
  FCurrent.reset();
  FCurrentLoaded = true;
  if (!FLangFile.empty() && FFiles.exists(FLangFile)) FCurrent = Load(FLangFile);
}

std::string TTranslator::GetLangText(const std::string& section, const std::string& key,
                                     const std::string& builtIn) {
  if (!FCurrentLoaded) ReloadLanguage();
  std::string text = FCurrent ? FCurrent->Read(section, key) : std::string();
  if (text.empty()) {
    if (!FFallback) {
      const std::string english = FolderOf(FLangFile) + kFallbackLanguage + ".ini";
      if (!FLangFile.empty() && FFiles.exists(english)) FFallback = Load(english);
    }
    if (FFallback) text = FFallback->Read(section, key);
  }
  return text.empty() ? builtIn : std::string(Utf8Prefix(text, kMaxLangTextBytes));
}

std::string TTranslator::GetLangFontName() const {
  std::string name = ReadCurrentFile("DefaultFont");
  return name.empty() ? kDefaultFont : name;
}

int TTranslator::GetLangFontSize() const {
  auto size = ParseInteger(ReadCurrentFile("DefaultFontSize"));
  return size && *size > 0 && *size < 200 ? static_cast<int>(*size) : kDefaultFontSize;
}

int TTranslator::GetLangCharset(int systemDefault) const {
  if (FLangFile.empty() || !FFiles.exists(FLangFile)) return systemDefault;
  std::string name = ReadCurrentFile("DefaultCharSet");
  return CharsetFromName(name.empty() ? "ANSI_CHARSET" : name, systemDefault);
}

std::optional<TIniDocument> TTranslator::Load(const std::string& path) const {
  auto bytes = FFiles.read(path);
  return bytes ? DecodeLanguageFile(*bytes) : std::nullopt;
}

std::string TTranslator::ReadCurrentFile(const char* key) const {
  if (FLangFile.empty() || !FFiles.exists(FLangFile)) return {};
  auto document = Load(FLangFile);
  return document ? document->Read(kTranslation, key) : std::string();
}

}  // namespace vsm
