#include "app/EntryRoutine_win.h"

#include <shellapi.h>

#include <memory>

#include "app/AppIdentity.h"
#include "app/FormPlacement.h"
#include "app/frmVeskSystemMonitor_win.h"
#include "base/module_path_win.h"
#include "platform/DllSearchOrder_win.h"

namespace vsm {

namespace {

// The command-line parameters after the program's own path.
std::vector<std::wstring> Parameters() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> parameters;
  for (int i = 1; arguments != nullptr && i < count; ++i) parameters.emplace_back(arguments[i]);
  if (arguments != nullptr) LocalFree(arguments);
  return parameters;
}

void CentreInWorkArea(HWND form) {
  RECT workArea{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
  RECT bounds{};
  GetWindowRect(form, &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  SetWindowPos(form, nullptr, CentredOffset(workArea.right - workArea.left, width),
               CentredOffset(workArea.bottom - workArea.top, height), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int RunEntryRoutine(HINSTANCE instance) {
  RestrictDllSearchOrder();
  if (HWND running = FindWindowW(kMainFormClass, nullptr)) {
    SendMessageW(running, kShowMainWindowMessage, 0, 0);
    return 0;
  }
  const std::vector<std::wstring> parameters = Parameters();
  if (!parameters.empty() && parameters[0] == kRelaunchParameter) {
    ShellExecuteW(nullptr, L"open", ExecutablePath().c_str(), L"", L"", SW_SHOWNORMAL);
    return 0;
  }
  // Never tested by the program itself; it marks the running program for others (the installer).
  CreateMutexW(nullptr, FALSE, kSingleInstanceMutex);

  auto form = std::make_unique<TfrmVeskSystemMonitor>(instance, !parameters.empty());
  CentreInWorkArea(form->Handle());

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace vsm
