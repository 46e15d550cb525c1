#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "app/InstallReport_win.h"

namespace vsm {
namespace {

// A one-request HTTP server on loopback that records what it receives.
class LoopbackServer {
 public:
  LoopbackServer() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    listen(listener_, 1);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackServer() {
    closesocket(listener_);
    if (thread_.joinable()) thread_.join();
    WSACleanup();
  }
  int Port() const { return port_; }
  std::string Request() {
    if (thread_.joinable()) thread_.join();
    return request_;
  }

 private:
  void Serve() {
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) return;
    char buffer[4096];
    for (;;) {
      const size_t headerEnd = request_.find("\r\n\r\n");
      if (headerEnd != std::string::npos) {
        const size_t lengthAt = request_.find("Content-Length: ");
        const size_t bodyLength = lengthAt == std::string::npos ? 0 : std::stoul(request_.substr(lengthAt + 16));
        if (request_.size() >= headerEnd + 4 + bodyLength) break;
      }
      const int received = recv(client, buffer, sizeof buffer, 0);
      if (received <= 0) break;
      request_.append(buffer, static_cast<size_t>(received));
    }
    const char reply[] = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 2\r\n\r\nok";
    send(client, reply, sizeof reply - 1, 0);
    closesocket(client);
  }

  SOCKET listener_;
  int port_ = 0;
  std::thread thread_;
  std::string request_;
};

TEST(InstallReportWin, PostsTheFormWithItsHeadersAndEndsItsThread) {
  LoopbackServer server;
  const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(server.Port()) +
                           L"/install_statistics/index.php?p=install_statistics";
  HANDLE worker = PostInstallStatus(6, "1.53.127", "{1F25C9CF-D2E0-41C7-9EF0-3016E5040A63}", url);
  ASSERT_NE(worker, nullptr);
  EXPECT_EQ(WaitForSingleObject(worker, 20000), WAIT_OBJECT_0);
  CloseHandle(worker);
  const std::string request = server.Request();
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
