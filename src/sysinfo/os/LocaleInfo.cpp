#include "sysinfo/os/LocaleInfo.h"

#include <iterator>

namespace vsm {

namespace {

constexpr uint32_t kSLanguage = 2;
constexpr uint32_t kSAbbrevLangName = 3;
constexpr uint32_t kICountry = 5;
constexpr uint32_t kSCountry = 6;
constexpr uint32_t kSAbbrevCtryName = 7;
constexpr uint32_t kSList = 12;
constexpr uint32_t kIMeasure = 13;
constexpr uint32_t kSDecimal = 14;
constexpr uint32_t kSThousand = 15;
constexpr uint32_t kIDigits = 17;
constexpr uint32_t kSCurrency = 20;
constexpr uint32_t kSIntlSymbol = 21;
constexpr uint32_t kSMonDecimalSep = 22;
constexpr uint32_t kSMonThousandSep = 23;
constexpr uint32_t kICurrDigits = 25;
constexpr uint32_t kICurrency = 27;
constexpr uint32_t kINegCurr = 28;
constexpr uint32_t kSDate = 29;
constexpr uint32_t kSTime = 30;
constexpr uint32_t kSShortDate = 31;
constexpr uint32_t kSLongDate = 32;
constexpr uint32_t kIDate = 33;
constexpr uint32_t kILDate = 34;
constexpr uint32_t kITime = 35;
constexpr uint32_t kICentury = 36;
constexpr uint32_t kSEngLanguage = 4097;
constexpr uint32_t kSTimeFormat = 4099;

// Numeric settings count by their first character only (so "12" reads as 1).
int FirstDigit(const std::string& text) {
  return !text.empty() && text[0] >= '0' && text[0] <= '9' ? text[0] - '0' : 0;
}

// A number outside the enumeration falls back to its first value.
template <typename Enum>
Enum EnumFromNumber(int number, int count) {
  return static_cast<Enum>(number < count ? number : 0);
}

}  // namespace

std::string NegativeCurrencyPattern(int mode, const std::string& currencySymbol) {
  static constexpr const char* kPatterns[] = {"($1.1)", "-$1.1", "$-1.1", "$1.1-",  "(1.1$)",
                                              "-1.1$",  "1.1-$", "1.1$-", "-1.1 $", "-$ 1.1"};
  if (mode < 0 || mode >= static_cast<int>(std::size(kPatterns))) return "";
  std::string text;
  for (const char* c = kPatterns[mode]; *c != '\0'; ++c) {
    if (*c == '$') {
      text += currencySymbol;
    } else {
      text += *c;
    }
  }
  return text;
}

void TLocaleInfo::RefreshData(const OsPlatform& platform) {
  struct TextField {
    uint32_t type;
    std::string TLocaleInfo::*field;
  };
  static const TextField kTextFields[] = {
      {kSLanguage, &TLocaleInfo::FLang},
      {kSEngLanguage, &TLocaleInfo::FEngLang},
      {kSAbbrevLangName, &TLocaleInfo::FAbbrLang},
      {kICountry, &TLocaleInfo::FCountry},
      {kSCountry, &TLocaleInfo::FFCountry},
      {kSAbbrevCtryName, &TLocaleInfo::FAbbrCtry},
      {kSList, &TLocaleInfo::FList},
      {kSDecimal, &TLocaleInfo::FDecimal},
      {kIDigits, &TLocaleInfo::FDigit},
      {kSCurrency, &TLocaleInfo::FCurrency},
      {kSIntlSymbol, &TLocaleInfo::FIntlSymbol},
      {kSMonDecimalSep, &TLocaleInfo::FMonDecSep},
      {kSMonThousandSep, &TLocaleInfo::FMonThoSep},
      {kICurrDigits, &TLocaleInfo::FCurrdigit},
      {kSDate, &TLocaleInfo::FDate},
      {kSTime, &TLocaleInfo::FTime},
      {kSTimeFormat, &TLocaleInfo::FTimeFormat},
      {kSShortDate, &TLocaleInfo::FShortDate},
      {kSLongDate, &TLocaleInfo::FLongDate},
      {kSThousand, &TLocaleInfo::FDecThoSep},
  };
  for (const TextField& text : kTextFields) this->*text.field = platform.LocaleText(FLocaleID, text.type);

  auto number = [&](uint32_t type) { return FirstDigit(platform.LocaleText(FLocaleID, type)); };
  FMeasure = EnumFromNumber<TMeasureSystem>(number(kIMeasure), 2);
  FPCurrMode = EnumFromNumber<TPositiveCurrencyMode>(number(kICurrency), 4);
  FNCurrMode = NegativeCurrencyPattern(number(kINegCurr), FCurrency);
  FShortDateOrdr = EnumFromNumber<TDateOrder>(number(kIDate), 3);
  FLongDateOrdr = EnumFromNumber<TDateOrder>(number(kILDate), 3);
  FTimeFormatSpec = EnumFromNumber<TTimeFormat>(number(kITime), 2);
  FYearFormat = EnumFromNumber<TYearFormat>(number(kICentury), 2);
}

}  // namespace vsm
