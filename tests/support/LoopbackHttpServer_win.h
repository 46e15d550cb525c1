#pragma once
// A small HTTP server on 127.0.0.1 for the Windows tests: it records the requests it receives and
// answers each with a prepared reply, or stalls (keeps the connection open without answering
// until it is destroyed), or drops the connection without a word.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vsm::test {

class LoopbackHttpServer {
 public:
  static constexpr DWORD kLongestStallMs = 30000;
  enum class Behaviour { kAnswer, kStall, kDrop };

  explicit LoopbackHttpServer(std::string body, Behaviour behaviour = Behaviour::kAnswer,
                              std::string contentType = "application/json")
      : body_(std::move(body)), behaviour_(behaviour), contentType_(std::move(contentType)) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    listen(listener_, 4);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackHttpServer() {
    SetEvent(stop_);
    closesocket(listener_);
    if (thread_.joinable()) thread_.join();
    CloseHandle(stop_);
    WSACleanup();
  }
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  int Port() const { return port_; }
  std::wstring Url(const std::wstring& path) const {
    return L"http://127.0.0.1:" + std::to_wstring(port_) + path;
  }
  // Every request received so far (request line, headers and body).
  std::vector<std::string> Requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

 private:
  void Serve() {
    for (;;) {
      SOCKET client = accept(listener_, nullptr, nullptr);
      if (client == INVALID_SOCKET) return;
      std::string request;
      char buffer[4096];
      for (;;) {
        const size_t headerEnd = request.find("\r\n\r\n");
        if (headerEnd != std::string::npos && request.size() >= headerEnd + 4 + BodyLength(request)) break;
        const int received = recv(client, buffer, sizeof buffer, 0);
        if (received <= 0) break;
        request.append(buffer, static_cast<size_t>(received));
      }
      {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
      }
      if (behaviour_ == Behaviour::kStall) {
        // Bounded, so that a client without time-outs fails its test instead of hanging the run.
        WaitForSingleObject(stop_, kLongestStallMs);
      } else if (behaviour_ == Behaviour::kAnswer) {
        const std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: " + contentType_ +
                                  "\r\nContent-Length: " + std::to_string(body_.size()) +
                                  "\r\nConnection: close\r\n\r\n" + body_;
        for (size_t sent = 0; sent < reply.size();) {
          const int result = send(client, reply.data() + sent, static_cast<int>(reply.size() - sent), 0);
          if (result <= 0) break;
          sent += static_cast<size_t>(result);
        }
        shutdown(client, SD_SEND);
      }
      closesocket(client);
    }
  }

  static size_t BodyLength(const std::string& request) {
    const size_t at = request.find("Content-Length: ");
    return at == std::string::npos ? 0 : std::stoul(request.substr(at + 16));
  }

  std::string body_;
  Behaviour behaviour_;
  std::string contentType_;
  HANDLE stop_ = nullptr;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::string> requests_;
};

// Waits for a handle while running the calling thread's messages, as a user-interface thread
// does while a worker hands it results. True when the handle was signalled in time.
inline bool WaitDispatchingMessages(HANDLE handle, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    const DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    if (result == WAIT_OBJECT_0) return true;
    if (result != WAIT_OBJECT_0 + 1) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace vsm::test
