// The message window under Wine, whose browser engine is not installed in the test prefix: the
// message goes to the default browser, a web address only, and nothing crashes.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "LoopbackHttpServer_win.h"
#include "ShellOpenRecorder_win.h"
#include "app/NewsButton_win.h"
#include "app/frmupdate_win.h"
#include "base/module_path_win.h"
#include "services/BrowserEmulation_win.h"
#include "ui/WebBrowserHost_win.h"

namespace vsm {
namespace {

class Owner {
 public:
  Owner() {
    window_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~Owner() { DestroyWindow(window_); }
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

TEST(NewsWindowWin, WithoutABrowserEngineTheMessageOpensInTheDefaultBrowser) {
  ASSERT_FALSE(WebBrowserEngineAvailable()) << "this prefix was meant to have no browser engine";
  test::ShellOpenRecorder shell;
  Owner owner;
  EXPECT_EQ(Tfrmupdate::ShowNewsletter(owner.Handle(), "News", "https://news.example/7", 0xFF, 300, 500, 7),
            TNewsShown::nsBrowser);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_EQ(FindWindowW(Tfrmupdate::kWindowClass, nullptr), nullptr);
  const auto opened = shell.Opened(1);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "https://news.example/7");
}

TEST(NewsWindowWin, AMessageAddressThatIsNoWebPageOpensNothing) {
  test::ShellOpenRecorder shell;
  for (const char* address :
       {"http:no-slashes.example", "https://news.example/a b", "file:///c:/windows/win.ini",
        "C:\\windows\\win.ini", "\\\\host\\share\\x.exe", ""}) {
    EXPECT_EQ(Tfrmupdate::ShowNewsletter(nullptr, "News", address, 0, 0, 0, 1), TNewsShown::nsNothing)
        << address;
  }
  EXPECT_TRUE(shell.Opened(1, 1500).empty());
}

TEST(NewsWindowWin, BrowserEmulationIsWrittenForTheInstalledVersion) {
  const std::wstring program = ExecutablePath();
  const std::wstring name = program.substr(program.find_last_of(L'\\') + 1);
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kBrowserEmulationKey, name.c_str());
  SetBrowserEmulation();
  DWORD value = 0;
  DWORD size = sizeof value;
  const bool written = RegGetValueW(HKEY_LOCAL_MACHINE, kBrowserEmulationKey, name.c_str(), RRF_RT_REG_DWORD,
                                    nullptr, &value, &size) == ERROR_SUCCESS;
  // Wine installs an iexplore.exe with an Internet Explorer version (9 in Wine 8).
  const unsigned major = InstalledBrowserMajorVersion();
  EXPECT_GE(major, 8u);
  EXPECT_LE(major, 12u);
  EXPECT_TRUE(written);
  EXPECT_EQ(value, major * 1000);
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kBrowserEmulationKey, name.c_str());
}

struct Boxes {
  std::vector<std::wstring> texts;
  TMessageBoxFunction Function() {
    return [this](const std::wstring& title, const std::wstring& text, TMessageKind kind) {
      EXPECT_EQ(title, L"Information");
      EXPECT_EQ(kind, TMessageKind::mkInformation);
      texts.push_back(text);
      return false;
    };
  }
};

TEST(NewsButtonWin, WithoutNewsTheButtonSaysSo) {
  Boxes boxes;
  std::unique_ptr<TGetNews> none;
  std::string msgIds = ",4";
  EXPECT_FALSE(ShowFirstNews(nullptr, none, msgIds, boxes.Function()));
  // A query whose server had nothing for this user.
  test::LoopbackHttpServer server(R"({"servertime":"2024-05-10","news":[]})");
  auto empty = std::make_unique<TGetNews>(nullptr, false, msgIds, kNewsProductId, server.Url(L"/n"));
  const DWORD start = GetTickCount();
  while (empty->Busy() && GetTickCount() - start < 20000) Sleep(50);
  EXPECT_FALSE(ShowFirstNews(nullptr, empty, msgIds, boxes.Function()));
  EXPECT_EQ(boxes.texts,
            (std::vector<std::wstring>{L"You have no unread message.", L"You have no unread message."}));
  EXPECT_EQ(msgIds, ",4");
}

TEST(NewsButtonWin, TheFirstMessageIsShownAndRecordedAsRead) {
  test::ShellOpenRecorder shell;
  test::LoopbackHttpServer server(
      R"({"servertime":"2024-05-10","news":[{"id":12,"expired":"2030-01-01","lang":"","type":1,"title":"First",)"
      R"("url":"https://news.example/12","FormWidth":0,"FormHeight":0,"color":0},{"id":13,"expired":"2030-01-01",)"
      R"("lang":"","type":1,"title":"Second","url":"https://news.example/13"}]})");
  std::string msgIds = ",4";
  auto news = std::make_unique<TGetNews>(nullptr, false, msgIds, kNewsProductId, server.Url(L"/n"));
  const DWORD start = GetTickCount();
  while (news->Busy() && GetTickCount() - start < 20000) Sleep(50);
  ASSERT_EQ(news->Messages().size(), 2u);
  Boxes boxes;
  EXPECT_TRUE(ShowFirstNews(nullptr, news, msgIds, boxes.Function()));
  EXPECT_TRUE(boxes.texts.empty());
  EXPECT_EQ(news, nullptr);
  EXPECT_EQ(msgIds, ",4,12");
  EXPECT_EQ(shell.Opened(1), (std::vector<std::string>{"https://news.example/12"}));
}

}  // namespace
}  // namespace vsm
