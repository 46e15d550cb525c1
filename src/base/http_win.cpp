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

void TInternetHandle::SetTimeouts(DWORD timeoutMs) const {
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    InternetSetOptionW(FHandle, option, &timeoutMs, sizeof timeoutMs);
  }
}

TInternetHandle OpenInternetSession(const std::wstring& agent, DWORD timeoutMs) {
  TInternetHandle session(InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (session) session.SetTimeouts(timeoutMs);
  return session;
}

THttpRequest OpenHttpRequest(HINTERNET session, const std::wstring& url, const wchar_t* verb, DWORD flags,
                             DWORD timeoutMs) {
  THttpRequest opened;
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof parts;
  wchar_t host[256] = {};
  wchar_t path[2048] = {};
  wchar_t extra[2048] = {};
  parts.lpszHostName = host;
  parts.dwHostNameLength = ARRAYSIZE(host);
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = ARRAYSIZE(path);
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = ARRAYSIZE(extra);
  if (!InternetCrackUrlW(url.c_str(), 0, 0, &parts) ||
      (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
    return opened;
  }
  opened.connection = TInternetHandle(
      InternetConnectW(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!opened.connection) return opened;
  const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0;
  const std::wstring object = std::wstring(path) + extra;
  opened.request = TInternetHandle(HttpOpenRequestW(opened.connection.Get(), verb, object.c_str(), nullptr, nullptr,
                                                    nullptr, flags | secure, 0));
  if (opened.request) opened.request.SetTimeouts(timeoutMs);
  return opened;
}

std::string HttpGetText(const std::wstring& url, DWORD timeoutMs) {
  const DWORD started = GetTickCount();
  const TInternetHandle session = OpenInternetSession(L"", timeoutMs);
  if (!session) return {};
  const THttpRequest request = OpenHttpRequest(session.Get(), url, L"GET",
                                               INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, timeoutMs);
  static const wchar_t kHeaders[] = L"Accept-Charset: utf-8\r\n";
  if (!request || !HttpSendRequestW(request.request.Get(), kHeaders, static_cast<DWORD>(-1), nullptr, 0)) {
    return {};
  }
  std::string body;
  char chunk[kReadChunk];
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(request.request.Get(), chunk, sizeof chunk, &read)) return {};
    if (read == 0) break;
    body.append(chunk, read);
    if (body.size() > kMaxJsonReplyBytes) return {};
    if (GetTickCount() - started > kWholeRequestTimeouts * timeoutMs) return {};
  }
  // The servers answer in UTF-8, which is the program's own text encoding.
  return body;
}

}  // namespace vsm
