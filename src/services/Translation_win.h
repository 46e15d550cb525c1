#pragma once
// The program's one translator, over the "Languages" folder beside the executable, and the
// language font of the localised windows.
#include <windows.h>

#include <string>
#include <string_view>

#include "services/Translation.h"

namespace vsm {

TTranslator& LangTranslator();
// The executable's folder followed by "Languages\", as UTF-8.
std::string LanguagesFolder();

std::wstring GetLangText(std::string_view section, std::string_view key, std::wstring_view builtIn);
void SetLanguageFile(const std::string& name);
void ReloadLanguage();

// The font of the localised windows: face, character set and size from the language file.
LOGFONTW LangLogFont();

}  // namespace vsm
