// The support centre against a loopback server under Wine: the unread query and its message to
// the badge's window, uploads through the real WinINet with their multipart body, the one-at-a-time
// rule, the size limit, failures and the screenshot's temporary file. The prefix has no browser
// engine, so the page scripts are not run here; their text is checked natively.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "LoopbackHttpServer_win.h"
#include "base/file_win.h"
#include "base/wide_win.h"
#include "services/Translation_win.h"
#include "support/frmVeskSupport_win.h"

namespace vsm {
namespace {

using test::LoopbackHttpServer;

const char kUserAgent[] = "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0; Maxthon)\r\n";

// Dispatches this thread's messages, as the user-interface thread, until `done` or the time-out.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 15000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return true;
}

// The main window's part: it records the count the support centre sends.
class BadgeWindow {
 public:
  BadgeWindow() {
    static const ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = &Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"SupportBadgeReceiver";
      return RegisterClassW(&wc);
    }();
    (void)atom;
    window_ = CreateWindowExW(0, L"SupportBadgeReceiver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~BadgeWindow() { DestroyWindow(window_); }
  HWND Handle() const { return window_; }
  std::optional<WPARAM> count;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<BadgeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == kUnreadMessagesMessage && self != nullptr) self->count = wParam;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  HWND window_;
};

struct BoxCall {
  std::wstring title, text;
};

// A support centre for the loopback server, its message box recorded.
struct SupportUnderTest {
  explicit SupportUnderTest(LoopbackHttpServer& server) : support(Narrow(server.Url(L"")), Services()) {}
  TWindowServices Services() {
    TWindowServices services;
    services.messageBox = [this](HWND, const std::wstring& title, const std::wstring& text, TMessageIcon,
                                 TMessageButtons) {
      boxes.push_back({title, text});
      return IDYES;
    };
    services.langText = GetLangText;
    return services;
  }
  std::vector<BoxCall> boxes;
  TFrmVeskSupport support;
};

std::wstring TestFile(const wchar_t* name, const std::string& bytes) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + name;
  EXPECT_TRUE(WriteFileReplacing(path, std::vector<uint8_t>(bytes.begin(), bytes.end())));
  return path;
}

std::string SomeBytes(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return bytes;
}

// The one file part of a multipart request: its headers and its bytes.
struct FilePart {
  std::string headers, bytes;
};
std::optional<FilePart> FilePartOf(const std::string& request) {
  const std::string marker = "Content-Type: multipart/form-data; boundary=";
  const size_t at = request.find(marker);
  if (at == std::string::npos) return std::nullopt;
  const std::string boundary =
      request.substr(at + marker.size(), request.find("\r\n", at) - at - marker.size());
  const size_t body = request.find("\r\n\r\n") + 4;
  const std::string opening = "--" + boundary + "\r\n";
  const std::string closing = "\r\n--" + boundary + "--\r\n";
  if (request.compare(body, opening.size(), opening) != 0 || !request.ends_with(closing)) return std::nullopt;
  const size_t partHeadersEnd = request.find("\r\n\r\n", body + opening.size());
  return FilePart{request.substr(body + opening.size(), partHeadersEnd - body - opening.size()),
                  request.substr(partHeadersEnd + 4, request.size() - closing.size() - partHeadersEnd - 4)};
}

TEST(SupportCentreWin, TheUnreadQueryTellsTheBadgeWindowWhatCouldBeRead) {
  LoopbackHttpServer server(R"([{"id":4},{"id":"x"},{"id":8}])");
  SupportUnderTest under(server);
  BadgeWindow badge;
  under.support.Init("{5E1A-77}", 7, "1.53.127", 0, badge.Handle());
  ASSERT_TRUE(PumpUntil([&] { return badge.count.has_value(); }));
  EXPECT_EQ(*badge.count, 2u);
  EXPECT_EQ(under.support.GetMessageCount(), 2);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(
      server.Requests()[0].rfind("GET /index.php?to=fetch-unread-message&guid={5E1A-77} HTTP/1.1\r\n", 0), 0u)
      << server.Requests()[0];
  EXPECT_NE(server.Requests()[0].find("Accept-Charset: utf-8\r\n"), std::string::npos);
  // Showing the centre forgets the answers it announced.
  under.support.ShowForm();
  EXPECT_TRUE(IsWindowVisible(under.support.Handle()));
  EXPECT_EQ(under.support.GetMessageCount(), 0);
}

TEST(SupportCentreWin, AStalledOrMissingServerNeverHoldsTheUserInterface) {
  {
    LoopbackHttpServer stalled("", LoopbackHttpServer::Behaviour::kStall);
    BadgeWindow badge;
    const DWORD start = GetTickCount();
    {
      SupportUnderTest under(stalled);
      under.support.Init("{1}", 7, "1.0", 0, badge.Handle());
      EXPECT_LT(GetTickCount() - start, 2000u);
      // Gone while its query still waits: the query's end reaches nobody.
    }
    EXPECT_TRUE(PumpUntil([&] { return stalled.Requests().size() == 1; }));
  }
  LoopbackHttpServer garbage("<html>not a list</html>", LoopbackHttpServer::Behaviour::kAnswer, "text/html");
  SupportUnderTest under(garbage);
  BadgeWindow badge;
  under.support.Init("{1}", 7, "1.0", 0, badge.Handle());
  ASSERT_TRUE(PumpUntil([&] { return badge.count.has_value(); }));
  EXPECT_EQ(*badge.count, 0u);
}

TEST(SupportCentreWin, AnUploadPostsTheFileAsTheOneFilePartWithTheBrowsersAgent) {
  LoopbackHttpServer server(R"({"ok":1,"url":"/u/1.png"})", LoopbackHttpServer::Behaviour::kAnswer,
                            "text/html");
  SupportUnderTest under(server);
  const std::string bytes = SomeBytes(300000);
  const std::wstring file = TestFile(L"Größe 1.zip", bytes);
  ASSERT_TRUE(under.support.Upload(file));
  EXPECT_EQ(under.support.UploadFileName(), file);
  ASSERT_TRUE(PumpUntil([&] { return under.support.UploadFileName().empty(); }));
  EXPECT_EQ(under.support.UploadResult(), R"({"ok":1,"url":"/u/1.png"})");
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::string request = server.Requests()[0];
  EXPECT_EQ(request.rfind("POST /index.php?to=upload-file HTTP/1.1\r\n", 0), 0u) << request.substr(0, 200);
  EXPECT_NE(request.find(kUserAgent), std::string::npos) << request.substr(0, 400);
  const std::optional<FilePart> part = FilePartOf(request);
  ASSERT_TRUE(part) << request.substr(0, 600);
  EXPECT_EQ(part->headers,
            "Content-Disposition: form-data; name=\"file\"; filename=\"Gr\xC3\xB6\xC3\x9F"
            "e 1.zip\"\r\n"
            "Content-Type: application/zip\r\nContent-Transfer-Encoding: binary");
  EXPECT_TRUE(part->bytes == bytes) << "the file part differs from the file";
  DeleteFileW(file.c_str());
}

TEST(SupportCentreWin, OneUploadAtATimeAndAFailedPostAnswersWithTheFailure) {
  auto server = std::make_unique<LoopbackHttpServer>("", LoopbackHttpServer::Behaviour::kStall);
  SupportUnderTest under(*server);
  const std::wstring first = TestFile(L"first.png", SomeBytes(1000));
  const std::wstring second = TestFile(L"second.png", SomeBytes(2000));
  ASSERT_TRUE(under.support.Upload(first));
  EXPECT_FALSE(under.support.Upload(second));
  EXPECT_EQ(under.support.UploadFileName(), first);
  PumpUntil([] { return false; }, 1500);
  EXPECT_EQ(server->Requests().size(), 1u);
  // The server goes without answering.
  server.reset();
  ASSERT_TRUE(PumpUntil([&] { return under.support.UploadFileName().empty(); }));
  EXPECT_EQ(under.support.UploadResult(), "{\"err\":\"upload failure\"}");
  DeleteFileW(first.c_str());
  DeleteFileW(second.c_str());
}

TEST(SupportCentreWin, TheSizeLimitAndUnreadableFiles) {
  LoopbackHttpServer server(R"({"ok":1})");
  SupportUnderTest under(server);
  const std::wstring tooLarge = TestFile(L"too large.zip", std::string(5242881, 'x'));
  EXPECT_FALSE(under.support.Upload(tooLarge));
  ASSERT_EQ(under.boxes.size(), 1u);
  EXPECT_EQ(under.boxes[0].title, L"Confirm");
  EXPECT_EQ(under.boxes[0].text, L"The file can't be larger than 5M");
  EXPECT_TRUE(under.support.UploadFileName().empty());

  // A file gone before its upload: the page hears of a failure, the server of nothing.
  const std::wstring vanished = TestFile(L"vanished.zip", "x");
  DeleteFileW(vanished.c_str());
  ASSERT_TRUE(under.support.Upload(vanished));
  ASSERT_TRUE(PumpUntil([&] { return under.support.UploadFileName().empty(); }));
  EXPECT_EQ(under.support.UploadResult(), "{\"err\":\"upload failure\"}");
  EXPECT_TRUE(server.Requests().empty());

  const std::string largest = SomeBytes(5242880);
  const std::wstring atTheLimit = TestFile(L"at the limit.zip", largest);
  ASSERT_TRUE(under.support.Upload(atTheLimit));
  ASSERT_TRUE(PumpUntil([&] { return under.support.UploadFileName().empty(); }, 60000));
  EXPECT_EQ(under.support.UploadResult(), R"({"ok":1})");
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::optional<FilePart> part = FilePartOf(server.Requests()[0]);
  ASSERT_TRUE(part);
  EXPECT_TRUE(part->bytes == largest) << "the file part differs from the file";
  EXPECT_EQ(under.boxes.size(), 1u);
  DeleteFileW(tooLarge.c_str());
  DeleteFileW(atTheLimit.c_str());
}

TEST(SupportCentreWin, AScreenshotGoesUpUnderATemporaryNameThatIsDeletedAfterwards) {
  LoopbackHttpServer server(R"({"ok":1})");
  SupportUnderTest under(server);
  const std::string png = "\x89PNG\r\n\x1A\n" + SomeBytes(5000);
  ASSERT_TRUE(under.support.UploadPng(std::vector<uint8_t>(png.begin(), png.end())));
  const std::wstring picture = under.support.UploadFileName();
  const std::wstring name = picture.substr(picture.find_last_of(L'\\') + 1);
  // GetTempFileName keeps three letters of the prefix "vesk".
  EXPECT_EQ(name.rfind(L"ves", 0), 0u) << Narrow(name);
  EXPECT_TRUE(name.ends_with(L".tmp.png")) << Narrow(name);
  ASSERT_TRUE(PumpUntil([&] { return under.support.UploadFileName().empty(); }));
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::optional<FilePart> part = FilePartOf(server.Requests()[0]);
  ASSERT_TRUE(part);
  EXPECT_TRUE(part->bytes == png);
  EXPECT_NE(part->headers.find("filename=\"" + Narrow(name) + "\"\r\nContent-Type: image/png"),
            std::string::npos)
      << part->headers;
  EXPECT_FALSE(FileExists(picture));
  EXPECT_FALSE(FileExists(picture.substr(0, picture.size() - 4)));
}

TEST(SupportCentreWin, AScreenshotGoesUpAsCapturedEvenWhenItsTemporaryFileIsReplaced) {
  LoopbackHttpServer server(R"({"ok":1})");
  SupportUnderTest under(server);
  const std::string png = "\x89PNG\r\n\x1A\n" + SomeBytes(3000);
  ASSERT_TRUE(under.support.UploadPng(std::vector<uint8_t>(png.begin(), png.end())));
  // Another process of the user puts a file of its own in its place at once.
  const std::string planted = "planted by another process";
  ASSERT_TRUE(WriteFileReplacing(under.support.UploadFileName(),
                                 std::vector<uint8_t>(planted.begin(), planted.end())));
  ASSERT_TRUE(PumpUntil([&] { return under.support.UploadFileName().empty(); }));
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::optional<FilePart> part = FilePartOf(server.Requests()[0]);
  ASSERT_TRUE(part);
  EXPECT_TRUE(part->bytes == png) << "the upload sent what is in the file now";
}

}  // namespace
}  // namespace vsm
