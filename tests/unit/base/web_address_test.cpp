#include <gtest/gtest.h>

#include "base/web_address.h"

namespace vsm {
namespace {

TEST(WebAddress, OnlyHttpAndHttpsAddressesWithAHostPass) {
  for (const char* good : {"http://vesk.example/", "https://blog.vesk.example/post?id=3",
                           "HTTPS://VESK.EXAMPLE", "http://127.0.0.1:8080/x"}) {
    EXPECT_TRUE(IsWebAddress(good)) << good;
  }
  for (const char* bad :
       {"", "http://", "https://", "http:///c:/windows", "file:///c:/windows/",
        "C:\\Windows\\system32\\calc.exe", "\\\\server\\share\\x.exe", "calc.exe", "cmd /c del x",
        "javascript:alert(1)", "httpx://a", " http://a.example", "http://a.example/ b",
        "http://a.example/\r\nx", "ftp://a.example", "http:\\\\a.example", "mailto:a@b.example"}) {
    EXPECT_FALSE(IsWebAddress(bad)) << bad;
  }
}

}  // namespace
}  // namespace vsm
