#include "app/OpenURL_win.h"

#include <shellapi.h>

#include "base/text.h"
#include "base/web_address.h"
#include "base/wide_win.h"

namespace vsm {

void OpenURL(HWND owner, const std::wstring& url) {
  const std::string text = Trim(Narrow(url));
  if (text.empty()) return;
  const std::wstring address = Widen(text);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32 && ContainsNoCase(text, "http")) {
    ShellExecuteW(owner, L"open", L"iexplore.exe", address.c_str(), nullptr, SW_SHOWNORMAL);
  }
}

bool OpenWebAddress(HWND owner, const std::string& url) {
  if (!IsWebAddress(url)) return false;
  OpenURL(owner, Widen(url));
  return true;
}

}  // namespace vsm
