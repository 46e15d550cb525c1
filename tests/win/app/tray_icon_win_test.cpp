#include <windows.h>

#include <gtest/gtest.h>

#include "app/VeskTrayIcon_win.h"

namespace vsm {
namespace {

struct Recorded {
  int clicks = 0, doubleClicks = 0, downs = 0, ups = 0, moves = 0, balloonClicks = 0;
  TMouseButton lastButton = TMouseButton::mbLeft;
  TShiftState lastShift = 0;
};

void Wire(TVeskTrayIcon& icon, Recorded& r) {
  icon.OnClick = [&](TVeskTrayIcon&) { ++r.clicks; };
  icon.OnDblClick = [&](TVeskTrayIcon&) { ++r.doubleClicks; };
  icon.OnBalloonClick = [&](TVeskTrayIcon&) { ++r.balloonClicks; };
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
  TVeskTrayIcon icon(nullptr);
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
  TVeskTrayIcon icon(nullptr);
  icon.SetHint(std::wstring(200, L'x'));
  EXPECT_EQ(std::wstring(icon.Record().szTip), std::wstring(127, L'x'));
  EXPECT_EQ(icon.Hint().size(), 200u);
  icon.SetHint(L"");
  EXPECT_EQ(icon.Record().uFlags & NIF_TIP, 0u);
}

TEST(TVeskTrayIcon, PressAndReleaseGiveExactlyOneClickOrOneRightRelease) {
  TVeskTrayIcon icon(nullptr);
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
  Callback(icon, NIN_BALLOONUSERCLICK);
  EXPECT_EQ(r.balloonClicks, 1);
}

TEST(TVeskTrayIcon, AnswersTheEndSessionQueryPositively) {
  TVeskTrayIcon icon(nullptr);
  EXPECT_EQ(SendMessageW(icon.Handle(), WM_QUERYENDSESSION, 0, 0), 1);
}

TEST(TVeskTrayIcon, AddsItselfAndComesBackAfterAShellRestart) {
  if (FindWindowW(L"Shell_TrayWnd", nullptr) == nullptr) GTEST_SKIP() << "no taskbar on this desktop";
  TVeskTrayIcon icon(nullptr);
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
