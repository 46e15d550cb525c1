#include "base/http_win.h"

#include "base/json_reply.h"

namespace vsm {

namespace {

constexpr DWORD kReadChunk = 1025;
// A server that drips its reply slowly enough to pass every single time-out still ends here.
constexpr DWORD kWholeRequestTimeouts = 4;

}  // namespace

TInternetHandle& TInternetHandle::operator=(TInternetHandle&& other) noexcept {
  if (this != &other) {
    if (FHandle != nullptr) InternetCloseHandle(FHandle);
    FHandle = other.FHandle;
    other.FHandle = nullptr;
  }
  return *this;
}

TInternetHandle::~TInternetHandle() {
  if (FHandle != nullptr) InternetCloseHandle(FHandle);
}

TInternetHandle OpenInternetSession(const std::wstring& agent, DWORD timeoutMs) {
  TInternetHandle session(InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return session;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    InternetSetOptionW(session.Get(), option, &timeoutMs, sizeof timeoutMs);
  }
  return session;
}

std::string HttpGetText(const std::wstring& url, DWORD timeoutMs) {
  const DWORD started = GetTickCount();
  const TInternetHandle session = OpenInternetSession(L"", timeoutMs);
  if (!session) return {};
  static const wchar_t kHeaders[] = L"Accept-Charset: utf-8\r\n";
  const TInternetHandle request(InternetOpenUrlW(session.Get(), url.c_str(), kHeaders,
                                                 static_cast<DWORD>(-1),
                                                 INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
  if (!request) return {};
  std::string body;
  char chunk[kReadChunk];
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(request.Get(), chunk, sizeof chunk, &read)) return {};
    if (read == 0) break;
    body.append(chunk, read);
    if (body.size() > kMaxJsonReplyBytes) return {};
    if (GetTickCount() - started > kWholeRequestTimeouts * timeoutMs) return {};
  }
  // The servers answer in UTF-8, which is the program's own text encoding.
  return body;
}

}  // namespace vsm
