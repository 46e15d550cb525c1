#include "platform/DesktopShell_win.h"

#include <windows.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "base/com_win.h"

namespace vsm {

using Microsoft::WRL::ComPtr;

namespace {

// The desktop's shell view, through the shell windows' record of the desktop, its browser and
// its active view; the view's background object hands out the shell's automation object.
ComPtr<IShellDispatch2> DesktopShellDispatch() {
  ComPtr<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&windows))))
    return {};
  Variant location;
  location.get()->vt = VT_I4;
  location.get()->lVal = CSIDL_DESKTOP;
  Variant root;
  long window = 0;
  ComPtr<IDispatch> desktop;
  if (windows->FindWindowSW(location.get(), root.get(), SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, &desktop) !=
          S_OK ||
      !desktop) {
    return {};
  }
  ComPtr<IServiceProvider> services;
  ComPtr<IShellBrowser> browser;
  ComPtr<IShellView> view;
  ComPtr<IDispatch> background;
  ComPtr<IShellFolderViewDual> folderView;
  ComPtr<IDispatch> application;
  ComPtr<IShellDispatch2> shell;
  if (FAILED(desktop.As(&services)) ||
      FAILED(services->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(&browser))) ||
      FAILED(browser->QueryActiveShellView(&view)) || !view ||
      FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(&background))) || !background ||
      FAILED(background.As(&folderView)) || FAILED(folderView->get_Application(&application)) ||
      !application || FAILED(application.As(&shell))) {
    return {};
  }
  return shell;
}

}  // namespace

bool ShellExecuteFromDesktop(const std::wstring& file, const std::wstring& parameters) {
  const ComApartment apartment(COINIT_APARTMENTTHREADED);
  ComPtr<IShellDispatch2> shell = DesktopShellDispatch();
  if (!shell) return false;
  Bstr fileText(file);
  Variant arguments;
  if (!parameters.empty()) {
    arguments.get()->vt = VT_BSTR;
    arguments.get()->bstrVal = SysAllocStringLen(parameters.data(), static_cast<UINT>(parameters.size()));
  }
  Variant folder;
  Variant verb;
  verb.get()->vt = VT_BSTR;
  verb.get()->bstrVal = SysAllocString(L"open");
  Variant show;
  show.get()->vt = VT_I4;
  show.get()->lVal = SW_SHOWNORMAL;
  return SUCCEEDED(shell->ShellExecute(fileText.get(), *arguments, *folder, *verb, *show));
}

bool ProcessIsElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
                        elevation.TokenIsElevated != 0;
  CloseHandle(token);
  return elevated;
}

}  // namespace vsm
