#include "app/GetNews_win.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "base/wide_win.h"
#include "services/Translation_win.h"

namespace vsm {

// Shared with the worker, so that the object can go while a request still runs.
struct TGetNews::TState {
  HWND FWnd = nullptr;
  TNewsFilter filter;
  std::wstring FNewsUrl;
  DWORD timeoutMs = kHttpTimeoutMs;
  std::atomic<bool> FBusy{true};
  std::atomic<bool> abandoned{false};
  std::string FMsg;
  std::vector<TNewsInfo> fNewsList;
};

namespace {

TDateTime LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return EncodeDate(now.wYear, now.wMonth, now.wDay).value_or(0) +
         EncodeTime(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds).value_or(0);
}

}  // namespace

std::wstring NewsQueryUrl(const std::wstring& newsAddress, int pid) {
  return newsAddress + L"?to=checknews&pid=" + std::to_wstring(pid);
}

TGetNews::TGetNews(HWND wnd, bool isPro, std::string msgIds, int pid, std::wstring newsAddress,
                   DWORD timeoutMs)
    : FState(std::make_shared<TState>()) {
  FState->FWnd = wnd;
  FState->filter.readIds = std::move(msgIds);
  FState->filter.isPro = isPro;
  FState->filter.langCodes = Narrow(GetLangText("Translation", "LangCode", L""));
  FState->FNewsUrl = NewsQueryUrl(newsAddress, pid);
  FState->timeoutMs = timeoutMs;
  try {
    std::thread(&TGetNews::Execute, FState).detach();
  } catch (const std::system_error&) {
    // No thread, no news.
    FState->FBusy = false;
  }
}

TGetNews::~TGetNews() { FState->abandoned = true; }

bool TGetNews::Busy() const { return FState->FBusy; }

const std::vector<TNewsInfo>& TGetNews::Messages() const {
  static const std::vector<TNewsInfo> kNone;
  return FState->FBusy ? kNone : FState->fNewsList;
}

const std::wstring& TGetNews::NewsUrl() const { return FState->FNewsUrl; }

void TGetNews::Execute(std::shared_ptr<TState> state) {
  state->FMsg = HttpGetText(state->FNewsUrl, state->timeoutMs);
  if (!state->FMsg.empty()) {
    state->filter.localNow = LocalNow();
    state->fNewsList = ParseNewsReply(state->FMsg, state->filter);
  }
  const WPARAM count = state->fNewsList.size();
  state->FBusy = false;
  if (!state->abandoned) SendMessageW(state->FWnd, kNewsMessage, count, 0);
}

}  // namespace vsm
