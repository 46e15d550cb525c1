#include "base/text.h"
#include "pages/InfoPages.h"
#include "pages/PageFill.h"
#include "sysinfo/os/OperatingSystem.h"

namespace vsm {
namespace {

void AddUnlessEmpty(TInfoRow& parent, const std::string& caption, const std::string& value) {
  if (!value.empty()) parent.Add(caption, value);
}

}  // namespace

void FillOperatingSystemPage(TInfoTree& tree, const TOperatingSystem* os, const TPageTexts& texts) {
  const TPageFill fill(tree, kTallInfoRowHeight, {kInfoValueColumn, false});
  if (!os) return;

  TInfoRow& product = tree.Add(os->OSName());
  product.Expanded = true;
  product.Add(texts.Caption("OSProductID", "Product ID"), os->ProductID());
  product.Add(texts.Caption("OSRegisteredUser", "Registered User"), os->RegisteredUser());
  AddUnlessEmpty(product, texts.Caption("OSRegisteredOrg", "Registered Org"), os->RegisteredOrg());
  AddUnlessEmpty(product, texts.Caption("OSProductKey", "Product Key"), os->ProductKey());
  product.Add(texts.Caption("OSEdition", "Edition"), os->OSEdition());
  product.Add(texts.Caption("OSversor", "version"),
              Format("%d.%d.%d", os->MajorVersion(), os->MinorVersion(), os->BuildNumber()));
  AddUnlessEmpty(product, texts.Caption("OSCSD", "Service Pack installed"), os->CSD());
  // 0 means the install date could not be read.
  const TDateTime installed = os->InstallDate();
  product.Add(texts.Caption("OSInstallDate", "Install Date"),
              installed != 0 ? texts.ShortDate(installed) : "");

  TInfoRow& zone = tree.Add(texts.Caption("OSTimezone", "Time zone"));
  zone.Expanded = true;
  zone.Add(texts.Caption("OSStandardName", "Standard Name"), os->TimeZone().StandardName());
  zone.Add(texts.Caption("OSUTC", "UTC Bias(minutes)"), Format("%d", os->TimeZone().Bias()));

  const TLocaleInfo& locale = os->LocaleInfo();
  TInfoRow& local = tree.Add(texts.Caption("OSLOCAL", "LOCAL"));
  local.Expanded = true;
  local.Add(texts.Caption("OSLanguage", "Language"), locale.FullLocalizeLanguage());
  local.Add(texts.Caption("OSAbbreviate", "Abbreviate Language"), locale.AbbreviateLanguageName());
  local.Add(texts.Caption("OSCountry", "Country"), locale.CountryCode());
  local.Add(texts.Caption("OSMonetary", "Monetary Symbol"), locale.LocalMonetarySymbol());
  local.Add(texts.Caption("OSMonetarySymbol", "International Monetary Symbol"),
            locale.InternationalMonetarySymbol());
  local.Add(texts.Caption("OSShortDateFormat", "Short Date Format"), locale.ShortDateFormat());
  local.Add(texts.Caption("OSLongDateFormat", "Long Date Format"), locale.LongDateFormat());
}

}  // namespace vsm
