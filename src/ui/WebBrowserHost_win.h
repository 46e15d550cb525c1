#pragma once
// The embedded web browser: Internet Explorer's browser control in an OLE container that fills a
// window, without scroll bars, context menu or 3-D border. Where no browser engine can be made
// (as under Wine without its engine), Create gives nothing and the caller shows the page some
// other way.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace vsm {

// Every navigation of every frame and every new window is checked (ui/EmbeddedNavigation.h): only
// pages of the window's own site open in it, other web addresses go to OnOpenOutside, the rest is
// refused. The browser runs with the process's protections on (BrowserProtection_win.h).
class TWebBrowserHost {
 public:
  // The control as a child area of `parent` filling its client area, following the pages on the
  // host of `siteAddress`; null without an engine. User-interface thread (a single-threaded
  // apartment).
  static std::unique_ptr<TWebBrowserHost> Create(HWND parent, const std::string& siteAddress);
  ~TWebBrowserHost();
  TWebBrowserHost(const TWebBrowserHost&) = delete;
  TWebBrowserHost& operator=(const TWebBrowserHost&) = delete;

  bool Navigate(const std::wstring& url);
  // Runs a script in the current document's window; false when there is no document to run it.
  bool ExecScript(const std::wstring& script);
  // Fits the control to the parent's client area again.
  void Resize();

  // A page asked for a new window showing `url`; it never opens.
  std::function<void(const std::wstring& url)> OnNewWindow;
  // The browser is about to open `url` (a page or a frame); set `cancel` to keep it from doing so.
  // What the handler lets through is then checked against the site.
  std::function<void(const std::wstring& url, bool& cancel)> OnBeforeNavigate;
  // A web address off the site, for the user's own browser.
  std::function<void(const std::wstring& url)> OnOpenOutside;
  // A page or frame has been reached.
  std::function<void()> OnNavigateComplete;

 private:
  class TSite;
  TWebBrowserHost() = default;

  void BeforeNavigate(const std::wstring& url, bool& cancel);
  void NewWindow(const std::wstring& url);

  // Reference-counted: the browser may still hold and call the site after it is closed.
  TSite* FSite = nullptr;
  std::string FSiteHost;
  bool FOleEntered = false;
};

// Whether this machine has the browser engine (the HTML document object) the control needs.
bool WebBrowserEngineAvailable();

}  // namespace vsm
