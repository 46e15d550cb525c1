#include "pages/PageTexts_win.h"

#include <windows.h>

#include "base/ByteSize_win.h"
#include "base/Temperature.h"
#include "base/wide_win.h"
#include "services/AppConfig_win.h"
#include "services/Translation_win.h"

namespace vsm {

std::string UserShortDate(TDateTime date) {
  const CalendarDate day = DecodeDate(date);
  if (day.year < 1601 || day.year > 30827) return {};  // outside what SYSTEMTIME holds
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(day.year);
  time.wMonth = static_cast<WORD>(day.month);
  time.wDay = static_cast<WORD>(day.day);
  wchar_t text[128] = {};
  const int length = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, 128);
  if (length <= 1) return {};
  return Narrow(std::wstring_view(text, static_cast<size_t>(length - 1)));
}

TPageTexts ProgramPageTexts() {
  TPageTexts texts;
  texts.translate = [](const std::string& key, const std::string& builtIn) {
    return Narrow(GetLangText("Translation", key, Widen(builtIn)));
  };
  texts.byteSize = [](int64_t bytes) { return FormatByteSize(bytes); };
  texts.temperature = [](double celsius) {
    return FormatTemperature(celsius, TempScaleOf(AppConfig.TempUnit));
  };
  texts.shortDate = UserShortDate;
  return texts;
}

}  // namespace vsm
