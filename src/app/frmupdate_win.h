#pragma once
// The message window: one news message shown modally in an embedded browser under a caption
// with the program's icon, the message's title and a close button.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "ui/InstanceWindow_win.h"
#include "ui/WebBrowserHost_win.h"

namespace vsm {

enum class TNewsShown {
  nsWindow,   // in the message window, until it was closed
  nsBrowser,  // no browser engine here: handed to the default browser
  nsNothing,  // no engine, and the address was no web address
};

class Tfrmupdate {
 public:
  static constexpr const wchar_t* kWindowClass = L"Tfrmupdate";
  static constexpr int kCaptionHeight = 30;
  static constexpr int kBorder = 1;

  // Shows one message modally (owner disabled meanwhile), centred on `owner`, and destroys the
  // window afterwards. `color` above 0 colours caption, client area and border.
  static TNewsShown ShowNewsletter(HWND owner, const std::string& title, const std::string& url,
                                   int32_t color, int32_t height, int32_t width, int32_t id);

  std::wstring Title;
  std::wstring Link;

 private:
  template <class T>
  friend LRESULT CALLBACK InstanceWindowProc(HWND, UINT, WPARAM, LPARAM);
  Tfrmupdate() = default;
  void AttachWindow(HWND window) { FWindow = window; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void FormShow();
  void LoadNews();
  void wb1NewWindow3();
  void Paint();
  RECT CloseButton() const;

  HWND FWindow = nullptr;
  HWND FBrowserArea = nullptr;
  std::unique_ptr<TWebBrowserHost> wb1;
  COLORREF FColor = RGB(0, 0x5A, 0xB9);
  HFONT FFont = nullptr;
  bool FCloseHot = false;
};

}  // namespace vsm
