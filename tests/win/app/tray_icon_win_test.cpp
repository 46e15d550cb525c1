#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/VeskTrayIcon_win.h"

namespace vsm {
namespace {

struct Recorded {
  int clicks = 0, doubleClicks = 0, downs = 0, ups = 0, moves = 0;
  TMouseButton lastButton = TMouseButton::mbLeft;
  TShiftState lastShift = 0;
};

void Wire(TVeskTrayIcon& icon, Recorded& r) {
  icon.OnClick = [&](TVeskTrayIcon&) { ++r.clicks; };
  icon.OnDblClick = [&](TVeskTrayIcon&) { ++r.doubleClicks; };
  icon.OnMouseDown = [&](TVeskTrayIcon&, TMouseButton b, TShiftState s, int, int) {
    ++r.downs;
    r.lastButton = b;
    r.lastShift = s;
  };
  icon.OnMouseUp = [&](TVeskTrayIcon&, TMouseButton b, TShiftState s, int, int) {
    ++r.ups;
    r.lastButton = b;
    r.lastShift = s;
  };
  icon.OnMouseMove = [&](TVeskTrayIcon&, TShiftState, int, int) { ++r.moves; };
}

void Callback(TVeskTrayIcon& icon, UINT mouseMessage) {
  SendMessageW(icon.Handle(), TVeskTrayIcon::kCallbackMessage, 0, mouseMessage);
}

TEST(TVeskTrayIcon, RecordIsFilledAsTheShellExpects) {
  TVeskTrayIcon icon;
  const NOTIFYICONDATAW& record = icon.Record();
  EXPECT_EQ(record.cbSize, 956u);
  EXPECT_EQ(record.hWnd, icon.Handle());
  EXPECT_EQ(record.uID, static_cast<UINT>(reinterpret_cast<UINT_PTR>(icon.Handle())));
  EXPECT_EQ(record.uCallbackMessage, 1025u);
  EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_STREQ(record.szTip, L"Vesk System Monitor");
  EXPECT_EQ(record.uTimeout, 3000u);
  EXPECT_FALSE(icon.Visible());
}

TEST(TVeskTrayIcon, TipIsCutTo127CharactersAndEmptyTipDropsTheFlag) {
  TVeskTrayIcon icon;
  icon.SetHint(std::wstring(200, L'x'));
  EXPECT_EQ(std::wstring(icon.Record().szTip), std::wstring(127, L'x'));
  EXPECT_EQ(icon.Hint().size(), 200u);
  icon.SetHint(L"");
  EXPECT_EQ(icon.Record().uFlags & NIF_TIP, 0u);
}

TEST(TVeskTrayIcon, PressAndReleaseGiveExactlyOneClickOrOneRightRelease) {
  TVeskTrayIcon icon;
  Recorded r;
  Wire(icon, r);
  Callback(icon, WM_LBUTTONDOWN);
  Callback(icon, WM_LBUTTONUP);
  EXPECT_EQ(r.clicks, 1);
  EXPECT_EQ(r.downs, 1);
  EXPECT_EQ(r.ups, 1);
  EXPECT_EQ(r.lastButton, TMouseButton::mbLeft);
  EXPECT_NE(r.lastShift & ssLeft, 0u);

  // A release without a press on the icon is no click.
  Callback(icon, WM_LBUTTONUP);
  EXPECT_EQ(r.clicks, 1);

  Callback(icon, WM_RBUTTONDOWN);
  Callback(icon, WM_RBUTTONUP);
  EXPECT_EQ(r.clicks, 1);
  EXPECT_EQ(r.ups, 3);
  EXPECT_EQ(r.lastButton, TMouseButton::mbRight);
  EXPECT_NE(r.lastShift & ssRight, 0u);

  Callback(icon, WM_MBUTTONDOWN);
  Callback(icon, WM_MBUTTONUP);
  EXPECT_EQ(r.lastButton, TMouseButton::mbMiddle);
  for (UINT m : {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}) Callback(icon, m);
  EXPECT_EQ(r.doubleClicks, 3);
  Callback(icon, WM_MOUSEMOVE);
  EXPECT_EQ(r.moves, 1);
}

TEST(TVeskTrayIcon, AnswersTheEndSessionQueryPositively) {
  TVeskTrayIcon icon;
  EXPECT_EQ(SendMessageW(icon.Handle(), WM_QUERYENDSESSION, 0, 0), 1);
}

// A shell that the test controls: whether a taskbar exists, whether it takes adds, and what it
// was asked.
struct ScriptedShell {
  bool taskbar = true;
  bool takesAdds = true;
  bool knowsTheIcon = false;  // modifying succeeds
  int taskbarQueries = 0;
  std::vector<DWORD> calls;
  std::vector<std::pair<HWND, UINT>> allowed;

  TTrayShell Shell() {
    return TTrayShell{
        [this] {
          ++taskbarQueries;
          return taskbar;
        },
        [this](DWORD message, NOTIFYICONDATAW&) {
          calls.push_back(message);
          const bool knew = knowsTheIcon;
          if (message == NIM_ADD && takesAdds) knowsTheIcon = true;
          if (message == NIM_DELETE) knowsTheIcon = false;
          return message == NIM_ADD ? takesAdds : knew;
        },
        [this](HWND window, UINT message) {
          allowed.emplace_back(window, message);
          return true;
        },
    };
  }
  int Count(DWORD message) const {
    int count = 0;
    for (DWORD call : calls) count += call == message ? 1 : 0;
    return count;
  }
};

// Runs this thread's messages (the icon's timers) until `done` holds or `milliseconds` pass.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
  return true;
}

UINT TaskbarCreated() { return RegisterWindowMessageW(L"TaskbarCreated"); }

TEST(TVeskTrayIcon, LetsTheShellRestartMessageThroughToItsWindow) {
  ScriptedShell shell;
  TVeskTrayIcon icon(shell.Shell());
  ASSERT_EQ(shell.allowed.size(), 1u);
  EXPECT_EQ(shell.allowed[0].first, icon.Handle());
  EXPECT_EQ(shell.allowed[0].second, TaskbarCreated());
  // The real filter call is bound at run time and found in this system's user32.
  EXPECT_TRUE(SystemTrayShell().allowMessage(icon.Handle(), TaskbarCreated()));
}

TEST(TVeskTrayIcon, WithoutATaskbarItWaitsWithoutBlockingAndAddsOnceOneExists) {
  ScriptedShell shell;
  shell.taskbar = false;
  TVeskTrayIcon icon(shell.Shell());
  const DWORD start = GetTickCount();
  icon.SetVisible(true);
  EXPECT_LT(GetTickCount() - start, 1000u) << "the user-interface thread was held up";
  EXPECT_FALSE(icon.Visible());
  EXPECT_EQ(shell.Count(NIM_ADD), 0);

  // Three seconds without a taskbar: a few attempts, not hundreds.
  PumpUntil([] { return false; }, 3000);
  EXPECT_GE(shell.taskbarQueries, 2);
  EXPECT_LE(shell.taskbarQueries, 5);
  EXPECT_FALSE(icon.Visible());

  shell.taskbar = true;
  ASSERT_TRUE(PumpUntil([&] { return icon.Visible(); }, 2500)) << "the icon did not come";
  EXPECT_EQ(shell.Count(NIM_ADD), 1);
  // Once it is there, no more attempts.
  const int queries = shell.taskbarQueries;
  PumpUntil([] { return false; }, 1500);
  EXPECT_EQ(shell.taskbarQueries, queries);
}

TEST(TVeskTrayIcon, AnAddRefusedForAnIconTheShellStillHoldsFallsBackToModify) {
  ScriptedShell shell;
  shell.takesAdds = false;
  shell.knowsTheIcon = true;
  TVeskTrayIcon icon(shell.Shell());
  icon.SetVisible(true);
  EXPECT_TRUE(icon.Visible());
  EXPECT_EQ(shell.calls, (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));
}

TEST(TVeskTrayIcon, AShellRestartAddsTheIconAgainAndRetriesARefusedAdd) {
  ScriptedShell shell;
  TVeskTrayIcon icon(shell.Shell());
  icon.SetVisible(true);
  ASSERT_TRUE(icon.Visible());
  shell.calls.clear();
  SendMessageW(icon.Handle(), TaskbarCreated(), 0, 0);
  EXPECT_EQ(shell.calls, (std::vector<DWORD>{NIM_DELETE, NIM_ADD}));
  EXPECT_TRUE(icon.Visible());

  // A shell that is not ready yet refuses the add: the icon comes once it takes adds again.
  shell.takesAdds = false;
  SendMessageW(icon.Handle(), TaskbarCreated(), 0, 0);
  EXPECT_FALSE(icon.Visible());
  shell.takesAdds = true;
  EXPECT_TRUE(PumpUntil([&] { return icon.Visible(); }, 2500));

  // Log-off removes it for good: a later broadcast does not bring it back.
  SendMessageW(icon.Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(icon.Visible());
  SendMessageW(icon.Handle(), TaskbarCreated(), 0, 0);
  EXPECT_FALSE(icon.Visible());
}

TEST(TVeskTrayIcon, AddsItselfAndComesBackAfterAShellRestart) {
  if (FindWindowW(L"Shell_TrayWnd", nullptr) == nullptr) GTEST_SKIP() << "no taskbar on this desktop";
  TVeskTrayIcon icon;
  icon.SetVisible(true);
  ASSERT_TRUE(icon.Visible());
  EXPECT_NE(icon.Record().hIcon, nullptr);  // the executable's first icon, or the application's
  // The shell announces a restart with the registered message; the icon must be there again.
  SendMessageW(icon.Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(icon.Visible());
  NOTIFYICONDATAW probe = icon.Record();
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "icon no longer known to the shell";
  SendMessageW(icon.Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(icon.Visible());
}

}  // namespace
}  // namespace vsm
