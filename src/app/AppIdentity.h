#pragma once
// Names by which the program and a running copy of it are known.

namespace vsm {

inline constexpr const wchar_t* kAppTitle = L"Vesk System Monitor";
// Window class of the hidden main form; a second start looks for it.
inline constexpr const wchar_t* kMainFormClass = L"TfrmVeskSystemMonitor";
// Asks the running copy to show its main window (wParam and lParam 0).
inline constexpr unsigned kShowMainWindowMessage = 2337;
inline constexpr const wchar_t* kSingleInstanceMutex = L"VSMMutex2012";
// First command-line parameter that makes the program relaunch itself without parameters.
inline constexpr const wchar_t* kRelaunchParameter = L"$UAC";

}  // namespace vsm
