#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "LoopbackHttpServer_win.h"
#include "app/InstallReport_win.h"

namespace vsm {
namespace {

TEST(InstallReportWin, PostsTheFormWithItsHeadersAndEndsItsThread) {
  test::LoopbackHttpServer server("ok", test::LoopbackHttpServer::Behaviour::kAnswer, "text/plain");
  const std::wstring url = server.Url(L"/install_statistics/index.php?p=install_statistics");
  HANDLE worker = PostInstallStatus(6, "1.53.127", "{1F25C9CF-D2E0-41C7-9EF0-3016E5040A63}", url);
  ASSERT_NE(worker, nullptr);
  EXPECT_EQ(WaitForSingleObject(worker, 20000), WAIT_OBJECT_0);
  CloseHandle(worker);
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::string request = server.Requests()[0];
  EXPECT_EQ(request.rfind("POST /install_statistics/index.php?p=install_statistics HTTP/1.1\r\n", 0), 0u)
      << request;
  // The header is sent with its trailing blank; Wine's WinINet trims it on the wire.
  EXPECT_NE(request.find("Content-Type: application/x-www-form-urlencoded"), std::string::npos) << request;
  EXPECT_NE(request.find("User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0; Maxthon)\r\n"),
            std::string::npos);
  const std::string body = request.substr(request.find("\r\n\r\n") + 4);
  EXPECT_EQ(body, "product_ver=1.53.127&product_id=6&gu_id=%7B1F25C9CF-D2E0-41C7-9EF0-3016E5040A63%7D");
}

TEST(InstallReportWin, AnUnreachableServerEndsQuietly) {
  // Port 1 on loopback refuses the connection.
  HANDLE worker = PostInstallStatus(6, "1.0", "{G}", L"http://127.0.0.1:1/x");
  ASSERT_NE(worker, nullptr);
  EXPECT_EQ(WaitForSingleObject(worker, 30000), WAIT_OBJECT_0);
  CloseHandle(worker);
}

}  // namespace
}  // namespace vsm
