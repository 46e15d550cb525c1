#include "app/InstallReport.h"

#include "base/text.h"

namespace vsm {

std::string UrlEncodeFormValue(const std::string& value) {
  std::string encoded;
  for (unsigned char c : value) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~';
    if (plain)
      encoded += static_cast<char>(c);
    else if (c == ' ')
      encoded += '+';
    else
      encoded += Format("%%%02X", c);
  }
  return encoded;
}

std::string InstallReportBody(int productId, const std::string& version, const std::string& guid) {
  return "product_ver=" + UrlEncodeFormValue(version) +
         "&product_id=" + UrlEncodeFormValue(std::to_string(productId)) +
         "&gu_id=" + UrlEncodeFormValue(guid);
}

}  // namespace vsm
