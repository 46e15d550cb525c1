#pragma once
// The news query: one GET to the news server on a thread of its own, started at once. When it is
// done it sends (synchronously) kNewsMessage to the window with the number of messages kept as
// wParam; the window reads Messages() then or later, on its own thread.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/NewsReply.h"
#include "base/http_win.h"
#include "services/ServerAddresses.h"

namespace vsm {

inline constexpr UINT kNewsMessage = 3475;

class TGetNews {
 public:
  // Created on the user-interface thread; the current language's codes are taken now.
  // `msgIds` is the read list ("MSGIDs"), `pid` the product number of the query.
  TGetNews(HWND wnd, bool isPro, std::string msgIds, int pid, std::wstring newsAddress = kNewsUrl,
           DWORD timeoutMs = kHttpTimeoutMs);
  TGetNews(const TGetNews&) = delete;
  TGetNews& operator=(const TGetNews&) = delete;
  // Does not wait: a request still running finishes on its own and sends nothing more.
  ~TGetNews();

  bool Busy() const;
  // The kept messages; complete once kNewsMessage has arrived, empty before.
  const std::vector<TNewsInfo>& Messages() const;
  const std::wstring& NewsUrl() const;

 private:
  struct TState;
  static void Execute(std::shared_ptr<TState> state);

  std::shared_ptr<TState> FState;
};

// "<address>?to=checknews&pid=<pid>".
std::wstring NewsQueryUrl(const std::wstring& newsAddress, int pid);

}  // namespace vsm
