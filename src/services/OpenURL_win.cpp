#include "services/OpenURL_win.h"

#include <shellapi.h>

#include "base/web_address.h"
#include "base/wide_win.h"
#include "platform/DesktopShell_win.h"
#include "platform/WindowsVersion_win.h"
#include "services/OpenURL.h"

namespace vsm {

namespace {

// This program runs elevated; a browser it started itself would too, on addresses a server chose.
// From Vista on the desktop's shell starts it with the user's own rights instead. Where no such
// shell answers, an elevated process opens nothing; XP has no elevation to pass on.
bool ShellOpen(HWND owner, const std::wstring& file, const std::wstring& parameters) {
  if (TrueWindowsVersion().major >= 6) {
    if (ShellExecuteFromDesktop(file, parameters)) return true;
    if (ProcessIsElevated()) return false;
  }
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(owner, L"open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(), nullptr,
                    SW_SHOWNORMAL));
  return result > 32;
}

}  // namespace

void OpenURL(HWND owner, const std::wstring& url) {
  const std::string text = Narrow(url);
  if (!UrlWorthOpening(text)) return;
  if (!ShellOpen(owner, url, L"") && UrlNeedsBrowserFallback(text)) ShellOpen(owner, L"iexplore.exe", url);
}

bool OpenWebAddress(HWND owner, const std::string& url) {
  if (!IsWebAddress(url)) return false;
  OpenURL(owner, Widen(url));
  return true;
}

}  // namespace vsm
