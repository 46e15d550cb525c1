#pragma once
// The user's regional settings.
#include <cstdint>
#include <string>

#include "sysinfo/os/OsPlatform.h"

namespace vsm {

enum class TMeasureSystem { Metric, US };
enum class TPositiveCurrencyMode {
  Prefix_No_Separation,
  Suffix_No_Separation,
  Prefix_One_Char_Separation,
  Suffix_One_Char_Separation
};
enum class TDateOrder { MDY, DMY, YMD };
enum class TTimeFormat { H12, H24 };
enum class TYearFormat { TwoDigit, FourDigit };

// The negative-currency pattern of a LOCALE_INEGCURR number, "$" standing for the symbol.
std::string NegativeCurrencyPattern(int mode, const std::string& currencySymbol);

class TLocaleInfo {
 public:
  static constexpr uint32_t kUserDefaultLocale = 1024;

  void RefreshData(const OsPlatform& platform);

  uint32_t LocaleID() const { return FLocaleID; }
  const std::string& FullLocalizeLanguage() const { return FLang; }
  const std::string& FullLanguageEnglishName() const { return FEngLang; }
  const std::string& AbbreviateLanguageName() const { return FAbbrLang; }
  const std::string& CountryCode() const { return FCountry; }
  const std::string& FullCountryCode() const { return FFCountry; }
  const std::string& AbbreviateCountryCode() const { return FAbbrCtry; }
  const std::string& ListSeparator() const { return FList; }
  TMeasureSystem MeasurementSystem() const { return FMeasure; }
  const std::string& DecimalSeparator() const { return FDecimal; }
  const std::string& NumberOfDecimalDigits() const { return FDigit; }
  const std::string& LocalMonetarySymbol() const { return FCurrency; }
  const std::string& InternationalMonetarySymbol() const { return FIntlSymbol; }
  const std::string& CurrencyDecimalSeparator() const { return FMonDecSep; }
  const std::string& CurrencyThousandSeparator() const { return FMonThoSep; }
  const std::string& CurrencyDecimalDigits() const { return FCurrdigit; }
  TPositiveCurrencyMode PositiveCurrencyMode() const { return FPCurrMode; }
  const std::string& NegativeCurrencyMode() const { return FNCurrMode; }
  const std::string& DateSeparator() const { return FDate; }
  const std::string& TimeSeparator() const { return FTime; }
  const std::string& TimeFormat() const { return FTimeFormat; }
  const std::string& ShortDateFormat() const { return FShortDate; }
  const std::string& LongDateFormat() const { return FLongDate; }
  TDateOrder ShortDateOrder() const { return FShortDateOrdr; }
  TDateOrder LongDateOrder() const { return FLongDateOrdr; }
  TTimeFormat TimeFormatSpecifier() const { return FTimeFormatSpec; }
  TYearFormat YearFormat() const { return FYearFormat; }
  const std::string& DecimalThousandSeparator() const { return FDecThoSep; }

 private:
  uint32_t FLocaleID = kUserDefaultLocale;
  std::string FLang, FEngLang, FAbbrLang, FCountry, FFCountry, FAbbrCtry, FList;
  TMeasureSystem FMeasure = TMeasureSystem::Metric;
  std::string FDecimal, FDigit, FCurrency, FIntlSymbol, FMonDecSep, FMonThoSep, FCurrdigit;
  TPositiveCurrencyMode FPCurrMode = TPositiveCurrencyMode::Prefix_No_Separation;
  std::string FNCurrMode, FDate, FTime, FTimeFormat, FShortDate, FLongDate;
  TDateOrder FShortDateOrdr = TDateOrder::MDY;
  TDateOrder FLongDateOrdr = TDateOrder::MDY;
  TTimeFormat FTimeFormatSpec = TTimeFormat::H12;
  TYearFormat FYearFormat = TYearFormat::TwoDigit;
  std::string FDecThoSep;
};

}  // namespace vsm
