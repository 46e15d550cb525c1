#include "base/http_win.h"

#include "base/json_reply.h"
#include "base/library_win.h"

namespace vsm {

namespace {

// wininet.dll is no known DLL: imported, an elevated program would load a copy planted beside it,
// so it is bound at run time from the system folder. Null members when it cannot be had.
struct TWinInet {
  decltype(&::InternetOpenW) InternetOpenW = nullptr;
  decltype(&::InternetSetOptionW) InternetSetOptionW = nullptr;
  decltype(&::InternetCrackUrlW) InternetCrackUrlW = nullptr;
  decltype(&::InternetConnectW) InternetConnectW = nullptr;
  decltype(&::HttpOpenRequestW) HttpOpenRequestW = nullptr;
  decltype(&::HttpSendRequestW) HttpSendRequestW = nullptr;
  decltype(&::InternetReadFile) InternetReadFile = nullptr;
  decltype(&::InternetCloseHandle) InternetCloseHandle = nullptr;
};

// Bound once, with every function or with none; the library stays loaded.
const TWinInet& WinInet() {
  static const TWinInet library = [] {
    const HMODULE module = LoadSystemLibrary(L"wininet.dll");
    TWinInet bound;
    bound.InternetOpenW = BindFunction<decltype(&::InternetOpenW)>(module, "InternetOpenW");
    bound.InternetSetOptionW = BindFunction<decltype(&::InternetSetOptionW)>(module, "InternetSetOptionW");
    bound.InternetCrackUrlW = BindFunction<decltype(&::InternetCrackUrlW)>(module, "InternetCrackUrlW");
    bound.InternetConnectW = BindFunction<decltype(&::InternetConnectW)>(module, "InternetConnectW");
    bound.HttpOpenRequestW = BindFunction<decltype(&::HttpOpenRequestW)>(module, "HttpOpenRequestW");
    bound.HttpSendRequestW = BindFunction<decltype(&::HttpSendRequestW)>(module, "HttpSendRequestW");
    bound.InternetReadFile = BindFunction<decltype(&::InternetReadFile)>(module, "InternetReadFile");
    bound.InternetCloseHandle = BindFunction<decltype(&::InternetCloseHandle)>(module, "InternetCloseHandle");
    const bool complete = bound.InternetOpenW && bound.InternetSetOptionW && bound.InternetCrackUrlW &&
                          bound.InternetConnectW && bound.HttpOpenRequestW && bound.HttpSendRequestW &&
                          bound.InternetReadFile && bound.InternetCloseHandle;
    return complete ? bound : TWinInet{};
  }();
  return library;
}

constexpr DWORD kReadChunk = 1025;
// A server that drips its reply slowly enough to pass every single time-out still ends here.
constexpr DWORD kWholeRequestTimeouts = 4;

void SetTimeouts(HINTERNET handle, DWORD timeoutMs) {
  for (DWORD option :
       {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    WinInet().InternetSetOptionW(handle, option, &timeoutMs, sizeof timeoutMs);
  }
}

}  // namespace

void TInternetHandleTraits::Close(HINTERNET handle) { WinInet().InternetCloseHandle(handle); }

TInternetHandle OpenInternetSession(const std::wstring& agent, DWORD timeoutMs) {
  // Without the library there is no session, and every request fails as one without a network.
  if (WinInet().InternetOpenW == nullptr) return {};
  TInternetHandle session(
      WinInet().InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (session) SetTimeouts(session.Get(), timeoutMs);
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
  if (!WinInet().InternetCrackUrlW(url.c_str(), 0, 0, &parts) ||
      (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
    return opened;
  }
  opened.connection = TInternetHandle(
      WinInet().InternetConnectW(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!opened.connection) return opened;
  const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0;
  const std::wstring object = std::wstring(path) + extra;
  opened.request = TInternetHandle(WinInet().HttpOpenRequestW(opened.connection.Get(), verb, object.c_str(),
                                                              nullptr, nullptr, nullptr, flags | secure, 0));
  if (opened.request) SetTimeouts(opened.request.Get(), timeoutMs);
  return opened;
}

namespace {

// The body of a sent request as UTF-8 text, which is what our servers answer in.
std::optional<std::string> ReadAnswer(HINTERNET request, DWORD started, DWORD timeoutMs) {
  std::string body;
  char chunk[kReadChunk];
  for (;;) {
    DWORD read = 0;
    if (!WinInet().InternetReadFile(request, chunk, sizeof chunk, &read)) return std::nullopt;
    if (read == 0) break;
    body.append(chunk, read);
    if (body.size() > kMaxJsonReplyBytes) return std::nullopt;
    if (GetTickCount() - started > kWholeRequestTimeouts * timeoutMs) return std::nullopt;
  }
  return body;
}

}  // namespace

std::string HttpGetText(const std::wstring& url, DWORD timeoutMs) {
  const DWORD started = GetTickCount();
  const TInternetHandle session = OpenInternetSession(L"", timeoutMs);
  if (!session) return {};
  const THttpRequest request = OpenHttpRequest(
      session.Get(), url, L"GET", INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, timeoutMs);
  static const wchar_t kHeaders[] = L"Accept-Charset: utf-8\r\n";
  if (!request ||
      !WinInet().HttpSendRequestW(request.request.Get(), kHeaders, static_cast<DWORD>(-1), nullptr, 0)) {
    return {};
  }
  return ReadAnswer(request.request.Get(), started, timeoutMs).value_or(std::string());
}

std::optional<std::string> HttpPostText(const std::wstring& url, const std::wstring& agent,
                                        const std::string& contentType, const std::string& body,
                                        DWORD timeoutMs) {
  const DWORD started = GetTickCount();
  const TInternetHandle session = OpenInternetSession(agent, timeoutMs);
  if (!session) return std::nullopt;
  const THttpRequest request =
      OpenHttpRequest(session.Get(), url, L"POST",
                      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI, timeoutMs);
  const std::wstring headers =
      L"Content-Type: " + std::wstring(contentType.begin(), contentType.end()) + L"\r\n";
  if (!request ||
      !WinInet().HttpSendRequestW(request.request.Get(), headers.c_str(), static_cast<DWORD>(headers.size()),
                                  const_cast<char*>(body.data()), static_cast<DWORD>(body.size()))) {
    return std::nullopt;
  }
  return ReadAnswer(request.request.Get(), started, timeoutMs);
}

}  // namespace vsm
