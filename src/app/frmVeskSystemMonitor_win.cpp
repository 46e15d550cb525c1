#include "app/frmVeskSystemMonitor_win.h"

#include <atomic>

#include "app/AppIdentity.h"
#include "app/Autostart_win.h"
#include "app/InstallReport_win.h"
#include "app/MainFormMenu_win.h"
#include "app/Privileges_win.h"
#include "app/frmVeskMonitorMain_win.h"
#include "hardware/uHardWare_win.h"
#include "monitor/frmMonitorFloat_win.h"
#include "monitor/frmMonitorPopup_win.h"
#include "services/AppConfig_win.h"
#include "services/Translation_win.h"
#include "software/Software_win.h"
#include "ui/ForceForeground_win.h"

namespace vsm {

namespace {

TVeskMessageBox msgbx1;
TfrmVeskSystemMonitor* mainForm = nullptr;

// Posted once by the hardware thread when its first cycle has read every sensor.
constexpr UINT kHardwareReadMessage = WM_APP + 1;

ATOM RegisterFormClass(HINSTANCE instance, WNDPROC proc) {
  static const ATOM atom = [instance, proc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kMainFormClass;
    return RegisterClassExW(&wc);
  }();
  return atom;
}

}  // namespace

TWindowServices ProgramWindowServices() {
  TWindowServices services;
  services.messageBox = [](HWND owner, const std::wstring& title, const std::wstring& text, TMessageIcon icon,
                           TMessageButtons buttons) {
    return msgbx1.Show(owner, title, text, icon, buttons);
  };
  services.langText = GetLangText;
  services.settings = &AppConfig;
  services.saveSettings = SaveAppConfig;
  services.hardware = Hardware.get();
  services.software = Software.get();
  services.showMainWindow = [] {
    if (mainForm != nullptr) mainForm->ShowMainWindow();
  };
  return services;
}
TfrmVeskSystemMonitor* MainForm() { return mainForm; }

TfrmVeskSystemMonitor::TfrmVeskSystemMonitor(HINSTANCE instance, bool hasParameters)
    : FInstance(instance), FHasParameters(hasParameters) {
  mainForm = this;
  RegisterFormClass(instance, &InstanceWindowProc<TfrmVeskSystemMonitor>);
  // Hidden for its whole life: no WS_VISIBLE, and a tool window so that it never reaches the
  // taskbar.
  FWindow = CreateWindowExW(WS_EX_TOOLWINDOW, kMainFormClass, kAppTitle, WS_POPUP, 0, 0, kWidth, kHeight,
                            nullptr, nullptr, instance, this);
  FormCreate();
}

LRESULT TfrmVeskSystemMonitor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kShowMainWindowMessage: ShowMainWindow(); return 0;
    case kHardwareReadMessage:
      if (frmMonitorFloat) frmMonitorFloat->ChooseTemperature();
      return 0;
    case WM_CLOSE: FormDestroy(); return 0;
    case WM_ENDSESSION:
      // Windows ends the process after this answer without a WM_CLOSE: save and clean up now.
      if (wParam != FALSE) EndSession();
      return 0;
    default: break;
  }
  return DefWindowProcW(FWindow, message, wParam, lParam);
}

// The start-up sequence of the hub. The engines, the floating strip and the main window join it
// at their places as they arrive.
void TfrmVeskSystemMonitor::FormCreate() {
  EnableDebugPrivilege();
  if (LoadAppConfig()) ReportNewSetupVersion(AppConfig);
  AutostartCalls() = {IsAutostartEnabled, SetAutostart};

  // The icon adds itself as soon as the shell takes it.
  TrayIcon = std::make_unique<TVeskTrayIcon>();
  TrayIcon->SetVisible(true);
  TrayIcon->OnMouseUp = [this](TVeskTrayIcon&, TMouseButton button, TShiftState, int x, int y) {
    if (button == TMouseButton::mbRight) PopupTrayMenu(x, y);
  };
  TrayIcon->OnClick = [this](TVeskTrayIcon&) { ShowMainWindow(); };
  TrayIcon->SetHint(kAppTitle);

  Hardware = CreateHardware();
  // Which temperature the strip shows depends on the sensors that read something, known only
  // after the first cycle.
  Hardware->StartAsynTimer(
      1000, [window = FWindow, posted = std::make_shared<std::atomic<bool>>(false)](THardware&) {
        if (!posted->exchange(true)) PostMessageW(window, kHardwareReadMessage, 0, 0);
      });

  Software = CreateSoftware();
  Software->StartAsynTimer(1000);

  Localize();

  if (!frmMonitorFloat) {
    frmMonitorFloat = std::make_unique<TfrmMonitorFloat>(FWindow, ProgramWindowServices());
  }
  frmMonitorFloat->SetTopMost(AppConfig.TopMost);

  if (AppConfig.showFloat) SetShowFloat(true);
  if (!FHasParameters) ShowMainWindow();
}

void TfrmVeskSystemMonitor::FormDestroy() {
  SaveAppConfig();
  TrayIcon.reset();
  // Our trace session is the one thing the system would otherwise keep after us.
  if (Software) Software->StopTrafficCounting();
  // A hardware cycle may be inside a chip's register sequence holding the machine-wide bus mutex:
  // cut off there, the chip would stay in its configuration mode and the mutex abandoned.
  if (Hardware) Hardware->EndTimerAndWait();
  // Then ends at once: the other threads are neither stopped nor joined, the system reclaims the rest.
  TerminateProcess(GetCurrentProcess(), 0);
}

void TfrmVeskSystemMonitor::EndSession() {
  SaveAppConfig();
  if (Software) Software->StopTrafficCounting();
}

void TfrmVeskSystemMonitor::Localize() {
  msgbx1.closeHint = GetLangText("GUI", "ButtonClose", L"Close");
  msgbx1.yes = GetLangText("GUI", "ButtonYes", L"Yes");
  msgbx1.no = GetLangText("GUI", "ButtonNo", L"No");
  msgbx1.ok = GetLangText("GUI", "ButtonOK", L"OK");
  frmstyle1.closeHint = GetLangText("GUI", "ButtonClose", L"Close");
  frmstyle1.menuHint = GetLangText("GUI", "ButtonMenu", L"Menu");
  BuildTrayMenu();
}

void TfrmVeskSystemMonitor::LangChange() {
  Localize();
  if (frmVeskMonitorMain) frmVeskMonitorMain->Localize();  // and its pages
  if (frmMonitorFloat) frmMonitorFloat->Localize();
  if (frmMonitorPopup) frmMonitorPopup->Localize();
}

void TfrmVeskSystemMonitor::BuildTrayMenu() {
  dpmn.Clear();
  dpmn.SetFont(LangLogFont());
  dpmn.Add(
      {GetLangText("Translation", "ppmShowFloat", L"Show Float Window"), kTagShowFloat, AppConfig.showFloat});
  dpmn.Add({L"-", 0, false});
  dpmn.Add({GetLangText("Translation", "ppmDetails", L"Details"), kTagDetails, false});
  dpmn.Add({GetLangText("Translation", "ppmExit", L"Exit"), kTagExit, false});
}

void TfrmVeskSystemMonitor::dpmnBeforPopup() { dpmn.Items().front().checked = FloatStripVisible(); }

void TfrmVeskSystemMonitor::PopupTrayMenu(int x, int y) {
  dpmnBeforPopup();
  const int chosen = dpmn.Popup(FWindow, x, y);
  if (chosen >= 0) OnMenuItemClick(dpmn.Items()[static_cast<size_t>(chosen)]);
}

void TfrmVeskSystemMonitor::OnMenuItemClick(TMenuItemInfo& item) {
  switch (item.tag) {
    case kTagShowFloat:
      item.checked = !item.checked;
      SetShowFloat(item.checked);
      break;
    case kTagDetails: ShowMainWindow(); break;
    case kTagExit: PostMessageW(FWindow, WM_CLOSE, 0, 0); break;
    default: break;
  }
}

void TfrmVeskSystemMonitor::SetShowFloat(bool value) {
  AppConfig.showFloat = value;
  if (!frmMonitorFloat) return;
  if (value) {
    frmMonitorFloat->Show();
  } else {
    frmMonitorFloat->Hide();
  }
}

bool TfrmVeskSystemMonitor::FloatStripVisible() const {
  return frmMonitorFloat && frmMonitorFloat->Visible();
}

void TfrmVeskSystemMonitor::ShowMainWindow() {
  if (!frmVeskMonitorMain) frmVeskMonitorMain = std::make_unique<TfrmVeskMonitorMain>(FWindow);
  frmVeskMonitorMain->Show();
  ForceForegroundWindow(frmVeskMonitorMain->Handle());
}

}  // namespace vsm
