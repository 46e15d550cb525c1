#pragma once
// Translation: every text the user sees is looked up by section and key in the current language
// file, then in "English.ini" of the same folder, then falls back to the built-in English text.
// Language files are INI files in UTF-16LE; the file system is reached through LanguageFiles so
// that the rules run anywhere.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/IniDocument.h"

namespace vsm {

struct LanguageFiles {
  std::function<bool(const std::string& path)> exists;
  // The file's bytes, or nothing when it cannot be read.
  std::function<std::optional<std::vector<uint8_t>>(const std::string& path)> read;
};

inline constexpr const char* kFallbackLanguage = "English";
// The longest text a lookup hands out, in UTF-8 bytes: windows measure and format translations,
// and a language file is outside input.
inline constexpr size_t kMaxLangTextBytes = 1024;

// Whether a language name from the settings is a plain file name (no folder, drive or stream
// part, no "." or ".."), so that its file lies in the Languages folder.
bool IsPlainLanguageName(const std::string& name);

// Decodes a language file's bytes: UTF-16LE with its byte-order mark, or well-formed UTF-8 (with
// or without a mark). Anything else is no language file and yields nothing.
std::optional<TIniDocument> DecodeLanguageFile(const std::vector<uint8_t>& bytes);

// The Windows language identifiers of a "LangCode" value ("0804|0404"), lower-cased; an empty
// last piece is dropped.
std::vector<std::string> ParseLangCodes(const std::string& value);

// The name of the language whose "LangCode" lists `uiLanguage` (compared without regard to
// case), trying `names` in order; "English" when none does.
std::string DetectLanguage(uint16_t uiLanguage, const std::vector<std::string>& names,
                           const std::string& folder, const LanguageFiles& files);

// A GDI character-set constant by name ("GB2312_CHARSET" gives 134); `unknown` for other names.
int CharsetFromName(const std::string& name, int unknown);

class TTranslator {
 public:
  explicit TTranslator(LanguageFiles files) : FFiles(std::move(files)) {}

  const std::string& LangFile() const { return FLangFile; }
  // The file of that language in `folder` (which ends with a separator) if the name is plain and
  // the file exists, else that folder's "English.ini". The current-language cache is dropped.
  void SetLanguageFile(const std::string& folder, const std::string& name);
  // Drops the current-language cache and loads LangFile again if it exists.
  void ReloadLanguage();

  // At most kMaxLangTextBytes of the text.
  std::string GetLangText(const std::string& section, const std::string& key, const std::string& builtIn);

  // Font of the localised windows, read from the file itself each time.
  std::string GetLangFontName() const;
  int GetLangFontSize() const;
  int GetLangCharset(int systemDefault) const;

 private:
  std::optional<TIniDocument> Load(const std::string& path) const;
  std::string ReadCurrentFile(const char* key) const;

  LanguageFiles FFiles;
  std::string FLangFile;
  std::optional<TIniDocument> FCurrent;
  bool FCurrentLoaded = false;
  std::optional<TIniDocument> FFallback;
};

}  // namespace vsm
