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

class TWebBrowserHost {
 public:
  // The control as a child area of `parent` filling its client area; null without an engine.
  // User-interface thread (a single-threaded apartment).
  static std::unique_ptr<TWebBrowserHost> Create(HWND parent);
  ~TWebBrowserHost();
  TWebBrowserHost(const TWebBrowserHost&) = delete;
  TWebBrowserHost& operator=(const TWebBrowserHost&) = delete;

  bool Navigate(const std::wstring& url);
  // Runs a script in the current document's window; false when there is no document to run it.
  bool ExecScript(const std::wstring& script);
  // Fits the control to the parent's client area again.
  void Resize();

  // A page asks for a new window showing `url`; set `cancel` to keep it from opening one.
  std::function<void(const std::wstring& url, bool& cancel)> OnNewWindow;
  // The browser is about to open `url` (a page or a frame); set `cancel` to keep it from doing so.
  std::function<void(const std::wstring& url, bool& cancel)> OnBeforeNavigate;
  // A page or frame has been reached.
  std::function<void()> OnNavigateComplete;

 private:
  class TSite;
  TWebBrowserHost() = default;

  std::unique_ptr<TSite> FSite;
  bool FOleEntered = false;
};

// Whether this machine has the browser engine (the HTML document object) the control needs.
bool WebBrowserEngineAvailable();

}  // namespace vsm
