#include "services/OpenURL_win.h"

#include <shellapi.h>

#include "base/web_address.h"
#include "base/wide_win.h"
#include "services/OpenURL.h"

namespace vsm {

void OpenURL(HWND owner, const std::wstring& url) {
  const std::string text = Narrow(url);
  if (!UrlWorthOpening(text)) return;
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32 && UrlNeedsBrowserFallback(text)) {
    ShellExecuteW(owner, L"open", L"iexplore.exe", url.c_str(), nullptr, SW_SHOWNORMAL);
  }
}

bool OpenWebAddress(HWND owner, const std::string& url) {
  if (!IsWebAddress(url)) return false;
  OpenURL(owner, Widen(url));
  return true;
}

}  // namespace vsm
