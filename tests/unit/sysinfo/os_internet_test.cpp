#include <gtest/gtest.h>

#include "fake_os_platform.h"
#include "sysinfo/os/Environment.h"
#include "sysinfo/os/Internet.h"

namespace vsm {
namespace {

const EnvironmentLookup kEnvironment = EnvironmentListLookup(
    {"=C:=C:\\Users", "ProgramFiles=C:\\Program Files", "SystemRoot=C:\\Windows", "Empty="});

TEST(ExpandEnvironmentReferences, NamesCompareWithoutCaseAndUnknownOnesStay) {
  EXPECT_EQ(ExpandEnvironmentReferences("%programfiles%\\a.exe", kEnvironment), "C:\\Program Files\\a.exe");
  EXPECT_EQ(ExpandEnvironmentReferences("%SYSTEMROOT%\\x %SystemRoot%", kEnvironment),
            "C:\\Windows\\x C:\\Windows");
  EXPECT_EQ(ExpandEnvironmentReferences("%NOPE%\\%SystemRoot%", kEnvironment), "%NOPE%\\C:\\Windows");
  EXPECT_EQ(ExpandEnvironmentReferences("100% sure %SystemRoot%", kEnvironment), "100% sure C:\\Windows");
  EXPECT_EQ(ExpandEnvironmentReferences("a%%b%Empty%c%", kEnvironment), "a%%bc%");
  EXPECT_EQ(ExpandEnvironmentReferences("%=C:%", kEnvironment), "C:\\Users");
}

TEST(CommandToExecutablePath, ShortensTheCommandUntilItNamesAFile) {
  const std::set<std::string> files = {"C:\\Program Files\\Mozilla Firefox\\firefox.exe",
                                       "C:\\Program Files\\Internet Explorer\\iexplore.exe",
                                       "C:\\Windows\\mail.exe"};
  auto exists = [&](const std::string& path) { return files.count(path) != 0; };
  struct Case {
    const char* command;
    const char* path;
  };
  const Case cases[] = {
      {"\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -osint -url \"%1\"",
       "C:\\Program Files\\Mozilla Firefox\\firefox.exe"},
      {"\"%ProgramFiles%\\Internet Explorer\\iexplore.exe\"",
       "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
      {"%ProgramFiles%\\Internet Explorer\\iexplore.exe -nohome",
       "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
      {"C:\\Windows\\mail.exe", "C:\\Windows\\mail.exe"},
      // A folder on the way is no file.
      {"C:\\Program Files\\Unknown\\app.exe /x", ""},
      {"", ""},
      {"\"\"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CommandToExecutablePath(c.command, kEnvironment, exists), c.path) << c.command;
}

TEST(ProxyServerList, EntriesWithoutProtocolTakeTheirIndex) {
  using List = std::vector<std::string>;
  EXPECT_EQ(ProxyServerList("proxy.example:8080"), List{"0=proxy.example:8080"});
  EXPECT_EQ(ProxyServerList("http=a:80;https=b:443"), (List{"http=a:80", "https=b:443"}));
  EXPECT_EQ(ProxyServerList("a:1;ftp=b:2, c:3"), (List{"0=a:1", "ftp=b:2", "2=c:3"}));
  EXPECT_EQ(ProxyServerList(";;"), List{});
  EXPECT_EQ(ProxyServerList(""), List{});
}

TEST(ParseEnvironmentBlock, EntriesEndAtTheEmptyOneOrAtTheLimit) {
  std::u16string block(u"A=1\0Path=C:\\x\0LONGNAME=abcdef\0\0IGNORED=1\0", 40);
  using List = std::vector<std::string>;
  EXPECT_EQ(ParseEnvironmentBlock(block), (List{"A=1", "Path=C:\\x", "LONGNAME=abcdef"}));
  // The limit cuts the third entry: it is left out rather than kept half.
  EXPECT_EQ(ParseEnvironmentBlock(block, 20), (List{"A=1", "Path=C:\\x"}));
  EXPECT_EQ(ParseEnvironmentBlock(std::u16string(u"\0", 1)), List{});
  EXPECT_EQ(ParseEnvironmentBlock(u""), List{});
}

const char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet settings";

void SetClient(test::FakeOsPlatform& platform, RegRoot root, const std::string& kind, const std::string& key,
               const std::string& name, const std::string& command) {
  std::string base = "SOFTWARE\\Clients\\" + kind;
  platform.SetReg(root, base, "", key);
  platform.SetReg(root, base + "\\" + key, "", name);
  platform.SetReg(root, base + "\\" + key + "\\shell\\open\\command", "", command);
}

TEST(TInternet, UserChoicesReplaceTheMachinesWhereTheyAreNotEmpty) {
  test::FakeOsPlatform platform;
  platform.environment = std::u16string(u"ProgramFiles=C:\\PF\0\0", 20);
  platform.files = {"C:\\PF\\IE\\iexplore.exe", "C:\\PF\\FF\\firefox.exe", "C:\\PF\\Mail\\wab.exe"};
  SetClient(platform, RegRoot::LocalMachine, "StartMenuInternet", "IEXPLORE.EXE", "Internet Explorer",
            "\"%ProgramFiles%\\IE\\iexplore.exe\"");
  SetClient(platform, RegRoot::LocalMachine, "Mail", "Windows Mail", "Windows Mail",
            "%PROGRAMFILES%\\Mail\\wab.exe /mailurl:%1");
  // The user picked another browser; the user's mail entry names a client without a command.
  SetClient(platform, RegRoot::CurrentUser, "StartMenuInternet", "FIREFOX.EXE", "Mozilla Firefox",
            "\"C:\\PF\\FF\\firefox.exe\" -osint");
  platform.SetReg(RegRoot::CurrentUser, "SOFTWARE\\Clients\\Mail", "", "Broken");

  TInternet internet;
  internet.RefreshData(platform);
  EXPECT_EQ(internet.DefaultBrowserName(), "Mozilla Firefox");
  EXPECT_EQ(internet.DefaultBrowser(), "C:\\PF\\FF\\firefox.exe");
  EXPECT_EQ(internet.DefaultMailClientName(), "Windows Mail");
  EXPECT_EQ(internet.DefaultMailClient(), "C:\\PF\\Mail\\wab.exe");
}

TEST(TInternet, ConnectionTypeAndProxyList) {
  struct Case {
    const char* enable;  // null: value missing
    const char* server;
    int dialup;
    TConnectionType type;
  };
  const Case cases[] = {
      {"1", "proxy:3128", 0, TConnectionType::ctLAN},
      {"01,00,00,00", "proxy:3128", 2, TConnectionType::ctLAN},
      {"0", "proxy:3128", 0, TConnectionType::ctNone},
      {"1", "", 1, TConnectionType::ctDialup},
      {nullptr, nullptr, 0, TConnectionType::ctNone},
      {"00,00,00,00", "proxy:3128", 1, TConnectionType::ctDialup},
  };
  for (const Case& c : cases) {
    test::FakeOsPlatform platform;
    if (c.enable) platform.SetReg(RegRoot::CurrentUser, kInternetSettings, "ProxyEnable", c.enable);
    if (c.server) platform.SetReg(RegRoot::CurrentUser, kInternetSettings, "ProxyServer", c.server);
    platform.dialup = c.dialup;
    TInternet internet;
    internet.RefreshData(platform);
    EXPECT_EQ(internet.ConnectionType(), c.type) << (c.enable ? c.enable : "-") << " " << c.dialup;
    EXPECT_EQ(internet.ProxyServer().size(), c.server && *c.server ? 1u : 0u);
    EXPECT_EQ(internet.DefaultBrowser(), "");
  }
  EXPECT_EQ(TInternet::GetConnTypeStr(TConnectionType::ctNone), "None");
  EXPECT_EQ(TInternet::GetConnTypeStr(TConnectionType::ctLAN), "LAN");
  EXPECT_EQ(TInternet::GetConnTypeStr(TConnectionType::ctDialup), "Dialup");
}

}  // namespace
}  // namespace vsm
