#pragma once
// The one-time install report: a URL-encoded form with the version, the product id and the setup
// identifier, posted once per program version.
#include <string>

namespace vsm {

inline constexpr const char* kInstallReportContentType = "application/x-www-form-urlencoded ";
inline constexpr const char* kInstallReportUserAgent =
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0; Maxthon)";
inline constexpr unsigned kInstallReportTimeoutMs = 5000;
inline constexpr int kInstallReportProductId = 6;

// Form encoding: letters, digits and "-._~" stay, a blank becomes "+", every other byte "%XX".
std::string UrlEncodeFormValue(const std::string& value);

// "product_ver=...&product_id=...&gu_id=...", in that order.
std::string InstallReportBody(int productId, const std::string& version, const std::string& guid);

}  // namespace vsm
