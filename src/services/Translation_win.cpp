#include "services/Translation_win.h"

#include <cwchar>

#include "base/file_win.h"
#include "base/module_path_win.h"
#include "base/wide_win.h"

namespace vsm {

TTranslator& LangTranslator() {
  static TTranslator translator(LanguageFiles{
      [](const std::string& path) { return FileExists(Widen(path)); },
      [](const std::string& path) { return ReadWholeFile(Widen(path)); },
  });
  return translator;
}

std::string LanguagesFolder() { return Narrow(ExecutableFolder()) + "Languages\\"; }

std::wstring GetLangText(std::string_view section, std::string_view key, std::wstring_view builtIn) {
  return Widen(LangTranslator().GetLangText(std::string(section), std::string(key), Narrow(builtIn)));
}

void SetLanguageFile(const std::string& name) { LangTranslator().SetLanguageFile(LanguagesFolder(), name); }

void ReloadLanguage() { LangTranslator().ReloadLanguage(); }

LOGFONTW LangLogFont() {
  const TTranslator& translator = LangTranslator();
  LOGFONTW font{};
  HDC screen = GetDC(nullptr);
  font.lfHeight = -MulDiv(translator.GetLangFontSize(), GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = static_cast<BYTE>(translator.GetLangCharset(DEFAULT_CHARSET));
  font.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = Widen(translator.GetLangFontName());
  wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return font;
}

}  // namespace vsm
