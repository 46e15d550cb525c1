#include <gtest/gtest.h>

#include "ui/EmbeddedNavigation.h"

namespace vsm {
namespace {

constexpr const char* kSite = "support.vesk-monitor.example";

TEST(EmbeddedNavigation, EveryKindOfAddress) {
  using enum TEmbeddedNavigation;
  struct Case {
    const char* address;
    TEmbeddedNavigation navigation;
    TEmbeddedNavigation newWindow;
  };
  const Case cases[] = {
      // The site's own pages, by either scheme, any letter case, with port or user part.
      {"https://support.vesk-monitor.example/index.php?to=home", enFollow, enDefaultBrowser},
      {"http://support.vesk-monitor.example/", enFollow, enDefaultBrowser},
      {"HTTPS://Support.Vesk-Monitor.Example:443/x", enFollow, enDefaultBrowser},
      {"https://support.vesk-monitor.example", enFollow, enDefaultBrowser},
      {"https://user:pw@support.vesk-monitor.example/", enFollow, enDefaultBrowser},
      {"https://support.vesk-monitor.example#top", enFollow, enDefaultBrowser},
      // Other hosts, also ones made to look like the site.
      {"https://www.vesk-monitor.example/", enDefaultBrowser, enDefaultBrowser},
      {"https://support.vesk-monitor.example.evil.test/", enDefaultBrowser, enDefaultBrowser},
      {"https://support.vesk-monitor.example@evil.test/", enDefaultBrowser, enDefaultBrowser},
      {"https://evil.test\\@support.vesk-monitor.example/", enDefaultBrowser, enDefaultBrowser},
      {"http://evil.test/?support.vesk-monitor.example", enDefaultBrowser, enDefaultBrowser},
      {"http://127.0.0.1:8080/", enDefaultBrowser, enDefaultBrowser},
      {"http://[::1]:80/", enDefaultBrowser, enDefaultBrowser},
      // Anything that is no web address.
      {"file:///C:/Windows/System32/calc.exe", enRefuse, enRefuse},
      {"file://server/share/x.hta", enRefuse, enRefuse},
      {"\\\\server\\share\\x.exe", enRefuse, enRefuse},
      {"C:\\Windows\\System32\\cmd.exe", enRefuse, enRefuse},
      {"res://ieframe.dll/navcancl.htm", enRefuse, enRefuse},
      {"javascript:alert(1)", enRefuse, enRefuse},
      {"vbscript:msgbox(1)", enRefuse, enRefuse},
      {"about:blank", enRefuse, enRefuse},
      {"mk:@MSITStore:C:\\x.chm::/a.htm", enRefuse, enRefuse},
      {"ms-settings:", enRefuse, enRefuse},
      {"ftp://support.vesk-monitor.example/", enRefuse, enRefuse},
      {"http:///C:/x", enRefuse, enRefuse},
      {"http://@/", enRefuse, enRefuse},
      {"http://:80/", enRefuse, enRefuse},
      {"https://support.vesk-monitor.example/a b", enRefuse, enRefuse},
      {"https://support.vesk-monitor.example/\r\nx", enRefuse, enRefuse},
      {"", enRefuse, enRefuse},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EmbeddedNavigation(c.address, kSite), c.navigation) << c.address;
    EXPECT_EQ(EmbeddedNewWindow(c.address), c.newWindow) << c.address;
  }
  // A window without a site of its own follows nothing.
  EXPECT_EQ(EmbeddedNavigation("https://support.vesk-monitor.example/", ""), enDefaultBrowser);
}

TEST(EmbeddedNavigation, HostOfAWebAddress) {
  EXPECT_EQ(WebAddressHost("https://News.Vesk-Monitor.Example/messages/index.php?to=x"),
            "news.vesk-monitor.example");
  EXPECT_EQ(WebAddressHost("http://a:b@host.example:81/"), "host.example");
  EXPECT_EQ(WebAddressHost("http://[::1]:81/"), "[::1]");
  EXPECT_EQ(WebAddressHost("http://[::1/"), "");
  EXPECT_EQ(WebAddressHost("file:///C:/x"), "");
}

}  // namespace
}  // namespace vsm
