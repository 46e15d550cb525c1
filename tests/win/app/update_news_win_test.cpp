// The update check and the news query against a loopback server: the real WinINet request, the
// threads, the hand-over to the user-interface thread and the message to the main window.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LoopbackHttpServer_win.h"
#include "ShellOpenRecorder_win.h"
#include "app/CheckUpdate_win.h"
#include "app/GetNews_win.h"
#include "app/UpdateOffer_win.h"
#include "base/http_win.h"

namespace vsm {
namespace {

using test::LoopbackHttpServer;
using test::WaitDispatchingMessages;

constexpr DWORD kShortTimeoutMs = 1500;

TEST(HttpGetTextWin, ReadsTheWholeBodyWithItsHeaderAndQuery) {
  // Several 1025-byte reads, and text beyond ASCII.
  std::string body = "{\"text\":\"";
  for (int i = 0; i < 400; ++i) body += "Größe ";
  body += "\"}";
  LoopbackHttpServer server(body);
  EXPECT_EQ(HttpGetText(server.Url(L"/messages/index.php?to=checknews&pid=11")), body);
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::string request = server.Requests()[0];
  EXPECT_EQ(request.rfind("GET /messages/index.php?to=checknews&pid=11 HTTP/1.1\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("Accept-Charset: utf-8\r\n"), std::string::npos) << request;
}

TEST(HttpGetTextWin, FailuresGiveEmptyText) {
  {
    LoopbackHttpServer dropping("", LoopbackHttpServer::Behaviour::kDrop);
    EXPECT_EQ(HttpGetText(dropping.Url(L"/x"), kShortTimeoutMs), "");
  }
  {
    LoopbackHttpServer huge(std::string(10 << 20, 'x'));
    EXPECT_EQ(HttpGetText(huge.Url(L"/x"), 20000), "");
  }
  EXPECT_EQ(HttpGetText(L"http://127.0.0.1:1/refused", kShortTimeoutMs), "");
  EXPECT_EQ(HttpGetText(L"not an address", kShortTimeoutMs), "");
}

TEST(HttpGetTextWin, AStalledServerEndsWithinTheTimeouts) {
  LoopbackHttpServer stalled("", LoopbackHttpServer::Behaviour::kStall);
  const DWORD start = GetTickCount();
  EXPECT_EQ(HttpGetText(stalled.Url(L"/x"), kShortTimeoutMs), "");
  EXPECT_LT(GetTickCount() - start, 4 * kShortTimeoutMs);
}

struct FinishCall {
  bool called = false;
  bool onUiThread = false;
  std::string infoData, blogUrl, downloadUrl;
  int reserved = -1;
  int32_t build = 0;
  std::vector<std::string> verInfo;
};

// Runs one check to its end while this thread dispatches messages, as the user-interface thread.
FinishCall RunCheck(int32_t runningBuild, const std::wstring& url, DWORD timeoutMs = kHttpTimeoutMs) {
  FinishCall finish;
  bool begun = false;
  const DWORD uiThread = GetCurrentThreadId();
  auto check = std::make_unique<TCheckUpdate>(runningBuild, url, timeoutMs);
  check->OnBegin = [&](TCheckUpdate& sender) { begun = sender.Busy(); };
  check->OnFinish = [&](TCheckUpdate&, const std::string& infoData, int reserved, const std::string& blogUrl,
                        int32_t build, const std::string& downloadUrl,
                        const std::vector<std::string>& verInfo) {
    finish = {true,   GetCurrentThreadId() == uiThread, infoData, blogUrl, downloadUrl, reserved, build,
              verInfo};
  };
  HANDLE thread = TCheckUpdate::Start(std::move(check));
  EXPECT_NE(thread, nullptr);
  EXPECT_TRUE(WaitDispatchingMessages(thread, 4 * timeoutMs + 5000));
  CloseHandle(thread);
  EXPECT_TRUE(begun);
  return finish;
}

// The names of the temporary folder's "*.ini" files.
std::vector<std::wstring> TemporaryIniFiles() {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((std::wstring(folder) + L"*.ini").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

TEST(CheckUpdateWin, ANewerBuildIsReportedOnTheUserInterfaceThread) {
  const std::vector<std::wstring> iniFilesBefore = TemporaryIniFiles();
  const std::string reply =
      R"({"stopped":0,"build":200,"blog_url":"https://blog.example/v200","url":"https://dl.example/s.exe","update_info":"a\r\nb"})";
  LoopbackHttpServer server(reply);
  const FinishCall finish = RunCheck(127, server.Url(L"/software_update/getinfo.php?p_id=16"));
  ASSERT_TRUE(finish.called);
  EXPECT_TRUE(finish.onUiThread);
  EXPECT_EQ(finish.build, 200);
  EXPECT_EQ(finish.reserved, 0);
  EXPECT_EQ(finish.infoData, reply);
  EXPECT_EQ(finish.blogUrl, "https://blog.example/v200");
  EXPECT_EQ(finish.downloadUrl, "https://dl.example/s.exe");
  EXPECT_EQ(finish.verInfo, (std::vector<std::string>{"a", "b"}));
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].rfind("GET /software_update/getinfo.php?p_id=16 HTTP/1.1\r\n", 0), 0u);
  // No copy of the reply is left in the temporary folder.
  EXPECT_EQ(TemporaryIniFiles(), iniFilesBefore);
}

TEST(CheckUpdateWin, BadRepliesAndDeadServersKeepTheRunningBuild) {
  for (const std::string& reply :
       {std::string(R"({"stopped":1,"build":900})"), std::string(R"({"stopped":0,"build":"900"})"),
        std::string("<html>oops</html>"), std::string()}) {
    LoopbackHttpServer server(reply);
    const FinishCall finish = RunCheck(127, server.Url(L"/u"));
    EXPECT_TRUE(finish.called) << reply;
    EXPECT_EQ(finish.build, 127) << reply;
  }
  LoopbackHttpServer stalled("", LoopbackHttpServer::Behaviour::kStall);
  const DWORD start = GetTickCount();
  const FinishCall finish = RunCheck(127, stalled.Url(L"/u"), kShortTimeoutMs);
  EXPECT_TRUE(finish.called);
  EXPECT_EQ(finish.build, 127);
  EXPECT_LT(GetTickCount() - start, 4 * kShortTimeoutMs);
}

struct Box {
  std::wstring title, text;
  TMessageKind kind;
};

// The finish handler's boxes and what the shell was asked to open, for one reply.
struct Offer {
  std::vector<Box> boxes;
  std::vector<std::string> opened;
};

// `expectedOpens` addresses are waited for; none means a short wait that nothing comes.
Offer RunOffer(const std::string& reply, int32_t runningBuild, bool showHint, bool answerYes,
               size_t expectedOpens = 0) {
  test::ShellOpenRecorder shell;
  LoopbackHttpServer server(reply);
  Offer offer;
  HANDLE thread = DoCheckNewVer(
      nullptr, runningBuild, showHint,
      [&](const std::wstring& title, const std::wstring& text, TMessageKind kind) {
        offer.boxes.push_back({title, text, kind});
        return answerYes;
      },
      server.Url(L"/u"));
  EXPECT_TRUE(WaitDispatchingMessages(thread, 30000));
  CloseHandle(thread);
  offer.opened = expectedOpens > 0 ? shell.Opened(expectedOpens) : shell.Opened(1, 1500);
  return offer;
}

TEST(UpdateOfferWin, ANewerBuildAsksAndOpensTheBlogPageOnYes) {
  const Offer offer =
      RunOffer(R"({"stopped":0,"build":128,"blog_url":"https://blog.example/v128"})", 127, false, true, 1);
  ASSERT_EQ(offer.boxes.size(), 1u);
  EXPECT_EQ(offer.boxes[0].kind, TMessageKind::mkConfirmation);
  EXPECT_EQ(offer.boxes[0].title, L"Confirmation");
  EXPECT_EQ(offer.boxes[0].text, L"A new version is available! Do you want upgrade it now?");
  ASSERT_EQ(offer.opened.size(), 1u);
  EXPECT_EQ(offer.opened[0], "https://blog.example/v128");
}

TEST(UpdateOfferWin, NoAndAnAddressThatIsNoWebPageOpenNothing) {
  EXPECT_TRUE(
      RunOffer(R"({"stopped":0,"build":128,"blog_url":"https://blog.example/v128"})", 127, false, false)
          .opened.empty());
  // The first two would reach the shell's web handler (and so the recorder) without the rule.
  for (const char* address :
       {"http:no-slashes.example", "https://blog.example/a b", "file:///c:/windows/system32/calc.exe",
        "C:\\\\windows\\\\system32\\\\calc.exe", "\\\\\\\\server\\\\share\\\\x.exe", "calc.exe"}) {
    const Offer offer =
        RunOffer(std::string(R"({"stopped":0,"build":128,"blog_url":")") + address + "\"}", 127, false, true);
    EXPECT_EQ(offer.boxes.size(), 1u) << address;
    EXPECT_TRUE(offer.opened.empty()) << address;
  }
}

TEST(UpdateOfferWin, AnEqualBuildIsSilentUnlessAHintWasAskedFor) {
  const std::string reply = R"({"stopped":0,"build":127,"blog_url":"https://blog.example/v127"})";
  EXPECT_TRUE(RunOffer(reply, 127, false, true).boxes.empty());
  const Offer hinted = RunOffer(reply, 127, true, true);
  ASSERT_EQ(hinted.boxes.size(), 1u);
  EXPECT_EQ(hinted.boxes[0].kind, TMessageKind::mkInformation);
  EXPECT_EQ(hinted.boxes[0].title, L"Information");
  EXPECT_EQ(hinted.boxes[0].text, L"No effective update found.");
  EXPECT_TRUE(hinted.opened.empty());
}

// A window that records the news message it receives.
class NewsWindow {
 public:
  NewsWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &NewsWindow::Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VsmNewsTestWindow";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~NewsWindow() { DestroyWindow(window_); }
  HWND Handle() const { return window_; }
  // Dispatches messages until the news message came; its wParam, or -1.
  int WaitForNews(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (count_ < 0 && GetTickCount() - start < timeoutMs) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    return count_;
  }
  int messages = 0;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kNewsMessage) {
      auto* self = reinterpret_cast<NewsWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
      self->count_ = static_cast<int>(wParam);
      ++self->messages;
      EXPECT_EQ(lParam, 0);
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  HWND window_ = nullptr;
  int count_ = -1;
};

std::string NewsEntry(int id, const std::string& expired, const std::string& lang) {
  return "{\"id\":" + std::to_string(id) + ",\"expired\":\"" + expired + "\",\"lang\":\"" + lang +
         "\",\"type\":0,\"title\":\"Title " + std::to_string(id) + "\",\"url\":\"https://news.example/" +
         std::to_string(id) + "\",\"FormWidth\":500,\"FormHeight\":260,\"color\":255}";
}

TEST(GetNewsWin, KeptNewsArriveWithTheCountOnTheWindow) {
  const std::string reply = "{\"servertime\":\"2024-05-10\",\"news\":[" + NewsEntry(1, "2024-05-10", "") +
                            "," + NewsEntry(2, "2024-05-09", "") + "," + NewsEntry(3, "2030-01-01", "") +
                            "," + NewsEntry(4, "2030-01-01", "") + "]}";
  LoopbackHttpServer server(reply);
  NewsWindow window;
  TGetNews news(window.Handle(), false, ",3", kNewsProductId, server.Url(L"/messages/index.php"));
  EXPECT_EQ(window.WaitForNews(20000), 2);
  EXPECT_EQ(window.messages, 1);
  EXPECT_FALSE(news.Busy());
  ASSERT_EQ(news.Messages().size(), 2u);
  EXPECT_EQ(news.Messages()[0].id, 1);
  EXPECT_EQ(news.Messages()[0].title, "Title 1");
  EXPECT_EQ(news.Messages()[1].id, 4);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].rfind("GET /messages/index.php?to=checknews&pid=11 HTTP/1.1\r\n", 0), 0u);
}

TEST(GetNewsWin, BadRepliesAndStalledServersGiveNoNewsButStillTheMessage) {
  for (const std::string& reply :
       {std::string("{\"servertime\":\"2024-05-10\",\"news\":{}}"), std::string("[1]"),
        std::string("{\"servertime\":\"\",\"news\":[" + NewsEntry(1, "2030-01-01", "") + "]}")}) {
    LoopbackHttpServer server(reply);
    NewsWindow window;
    TGetNews news(window.Handle(), false, "", kNewsProductId, server.Url(L"/n"));
    EXPECT_EQ(window.WaitForNews(20000), 0) << reply;
    EXPECT_TRUE(news.Messages().empty());
  }
  LoopbackHttpServer stalled("", LoopbackHttpServer::Behaviour::kStall);
  NewsWindow window;
  const DWORD start = GetTickCount();
  TGetNews news(window.Handle(), false, "", kNewsProductId, stalled.Url(L"/n"), kShortTimeoutMs);
  EXPECT_EQ(window.WaitForNews(4 * kShortTimeoutMs + 5000), 0);
  EXPECT_LT(GetTickCount() - start, 4 * kShortTimeoutMs);
}

TEST(GetNewsWin, AQueryLeftBehindSendsNothing) {
  LoopbackHttpServer stalled("", LoopbackHttpServer::Behaviour::kStall);
  NewsWindow window;
  {
    TGetNews news(window.Handle(), false, "", kNewsProductId, stalled.Url(L"/n"), kShortTimeoutMs);
    EXPECT_TRUE(news.Busy());
  }
  EXPECT_EQ(window.WaitForNews(4 * kShortTimeoutMs), -1);
}

}  // namespace
}  // namespace vsm
