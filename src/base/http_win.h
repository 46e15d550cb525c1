#pragma once
// WinINet requests of the program: the handle that closes itself, the session every request
// opens, the one GET that the update check, the news and the support centre use, and the POST
// of the support centre's uploads.
#include <windows.h>
#include <wininet.h>

#include <optional>
#include <string>

#include "base/handle_win.h"

namespace vsm {

// No server of ours takes this long for one step (connect, send, a read); a stalled server
// ends the request instead of holding its thread.
inline constexpr DWORD kHttpTimeoutMs = 15000;

struct TInternetHandleTraits {
  static void Close(HINTERNET handle);  // through the library bound at run time
  static bool Empty(HINTERNET handle) { return handle == nullptr; }
};
using TInternetHandle = TOwned<HINTERNET, TInternetHandleTraits>;

// A session with the system's proxy settings whose connect, send and receive steps each give up
// after `timeoutMs`.
TInternetHandle OpenInternetSession(const std::wstring& agent, DWORD timeoutMs);

// A request on `session` for an http:// or https:// address, not yet sent, with the connect,
// send and receive time-outs set on the request itself (where every WinINet honours them).
struct THttpRequest {
  TInternetHandle connection;
  TInternetHandle request;
  explicit operator bool() const { return static_cast<bool>(request); }
};
THttpRequest OpenHttpRequest(HINTERNET session, const std::wstring& url, const wchar_t* verb, DWORD flags,
                             DWORD timeoutMs);

// GET of `url` with "Accept-Charset: utf-8", reloaded and not cached; the body as UTF-8 text.
// Empty when the request fails, a read fails, the body is longer than any reply of ours, or the
// whole request takes longer than a few of its time-outs.
std::string HttpGetText(const std::wstring& url, DWORD timeoutMs = kHttpTimeoutMs);

// POST of `body` with its content type to `url`, as `agent`; the answer's body (UTF-8 text).
// Nothing when the request fails, a read fails or the answer is longer than any reply of ours.
std::optional<std::string> HttpPostText(const std::wstring& url, const std::wstring& agent,
                                        const std::string& contentType, const std::string& body,
                                        DWORD timeoutMs);

}  // namespace vsm
