// The screenshot capture window under Wine: a real screen picture, real windows and mouse
// capture. A second thread plays the user: it sends the mouse and key messages to the window
// while ShowModal runs its loop on the test's thread, and reads the screen between them.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "support/frmCatch_win.h"
#include "ui/Image_win.h"

namespace vsm {
namespace {

constexpr COLORREF kLeftColour = RGB(0x20, 0x40, 0xC0);
constexpr COLORREF kRightColour = RGB(0xE0, 0xA0, 0x10);

LRESULT CALLBACK BackdropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client{};
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA)));
    FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
    DeleteObject(brush);
    return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Two top-most windows of known colours that the screen picture must show: one from x 0 to 60,
// one from 60 to 200, both from y 0 to 150.
class TBackdrop {
 public:
  TBackdrop() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BackdropProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VsmCatchBackdrop";
    RegisterClassW(&wc);
    left_ = Open(0, 60, kLeftColour);
    right_ = Open(60, 200, kRightColour);
  }
  ~TBackdrop() {
    DestroyWindow(left_);
    DestroyWindow(right_);
  }

 private:
  static HWND Open(int left, int right, COLORREF colour) {
    HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"VsmCatchBackdrop", L"", WS_POPUP, left,
                                  0, right - left, 150, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    return window;
  }
  HWND left_;
  HWND right_;
};

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 3 && std::abs(GetGValue(a) - GetGValue(b)) <= 3 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 3;
}

// Polls for at most five seconds.
template <class Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 250; ++i) {
    if (condition()) return true;
    Sleep(20);
  }
  return false;
}

// Whether the screen comes to show about `colour` at `point` (the X server shows what was painted
// a little later), pumping this thread's messages meanwhile.
bool ScreenShows(POINT point, COLORREF colour) {
  return Eventually([&] {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    HDC screen = GetDC(nullptr);
    const COLORREF shown = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return Near(shown, colour);
  });
}

struct TInput {
  UINT message;
  int x = 0;
  int y = 0;
};

struct TUserPlay {
  bool chosen = false;  // what ShowModal returned
  RECT bounds{};
  bool topMost = false;
  bool stayedOpen = false;  // after the last input, so it was closed from outside
};

// Shows the window and sends it the inputs one by one from a thread of its own, which calls
// `between(i)` after input i (all but the last). A window that does not show, or stays open after
// the last input, is told to close, so that the test fails instead of hanging.
TUserPlay Play(
    TFrmCatch& form, const std::vector<TInput>& inputs,
    const std::function<void(size_t)>& between = [](size_t) {}) {
  TUserPlay seen;
  std::atomic<bool> returned{false};
  std::thread user([&] {
    HWND window = nullptr;
    const bool shown = Eventually([&] {
      window = FindWindowW(L"TFrmCatch", nullptr);
      return window != nullptr && IsWindowVisible(window);
    });
    if (shown) {
      GetWindowRect(window, &seen.bounds);
      seen.topMost = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      // A window that closed too early gets no more input (the timeout covers a close between
      // the check and the send, when the test's thread no longer answers).
      for (size_t i = 0; i < inputs.size() && !returned; ++i) {
        const TInput& input = inputs[i];
        const bool leftHeld = input.message == WM_LBUTTONDOWN || input.message == WM_MOUSEMOVE;
        const WPARAM keys = input.message == WM_KEYDOWN ? VK_ESCAPE : (leftHeld ? MK_LBUTTON : 0);
        SendMessageTimeoutW(window, input.message, keys, MAKELPARAM(input.x, input.y), SMTO_NORMAL, 5000,
                            nullptr);
        if (i + 1 < inputs.size()) between(i);
      }
    }
    if (!Eventually([&] { return returned.load(); })) {
      seen.stayedOpen = true;
      PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
    }
  });
  seen.chosen = form.ShowModal();
  returned = true;
  user.join();
  return seen;
}

// A drag with the left button, through the middle.
std::vector<TInput> Drag(int fromX, int fromY, int toX, int toY) {
  return {{WM_LBUTTONDOWN, fromX, fromY},
          {WM_MOUSEMOVE, (fromX + toX) / 2, (fromY + toY) / 2},
          {WM_MOUSEMOVE, toX, toY},
          {WM_LBUTTONUP, toX, toY}};
}

struct TCatchCase {
  const char* name;
  std::vector<TInput> inputs;
  bool chosen;
};

TEST(CaptureWindow, DragsChooseThePartOfTheScreenAndEverythingElseCancels) {
  TBackdrop backdrop;
  TFrmCatch form;  // created once and shown again, as the support centre does
  ASSERT_NE(form.Handle(), nullptr);
  // Releases without area leave the window open: the drag after them still chooses.
  std::vector<TInput> noAreaFirst = {{WM_LBUTTONDOWN, 50, 50}, {WM_LBUTTONUP, 50, 50},    // not moved
                                     {WM_LBUTTONDOWN, 50, 40}, {WM_LBUTTONUP, 50, 90},    // no width
                                     {WM_LBUTTONDOWN, 20, 60}, {WM_LBUTTONUP, 120, 60}};  // no height
  for (const TInput& input : Drag(10, 20, 110, 70)) noAreaFirst.push_back(input);
  const TCatchCase cases[] = {
      {"down and right", Drag(10, 20, 110, 70), true},
      {"up and left", Drag(110, 70, 10, 20), true},
      {"releases without area, then a drag", noAreaFirst, true},
      {"Escape", {{WM_LBUTTONDOWN, 10, 20}, {WM_MOUSEMOVE, 110, 70}, {WM_KEYDOWN}}, false},
      {"right button", {{WM_LBUTTONDOWN, 10, 20}, {WM_MOUSEMOVE, 110, 70}, {WM_RBUTTONUP, 110, 70}}, false},
  };
  for (const TCatchCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(ScreenShows({30, 30}, kLeftColour));
    ASSERT_TRUE(ScreenShows({150, 100}, kRightColour));
    const TUserPlay seen = Play(form, c.inputs);
    EXPECT_EQ(seen.chosen, c.chosen);
    EXPECT_FALSE(seen.stayedOpen);
    EXPECT_EQ(seen.bounds.left, 0);
    EXPECT_EQ(seen.bounds.top, 0);
    EXPECT_EQ(seen.bounds.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(seen.bounds.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(seen.topMost);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(GetCapture(), nullptr);
    if (!c.chosen) {
      EXPECT_TRUE(form.NewPng().empty());
      continue;
    }
    // Screen (10,20) to (110,70): the left window's colour up to x 59, the right one's from 60.
    const auto png = TImage::FromPngBytes(form.NewPng().data(), form.NewPng().size());
    ASSERT_NE(png, nullptr);
    ASSERT_EQ(png->Width(), 100);
    ASSERT_EQ(png->Height(), 50);
    for (const POINT p : {POINT{0, 0}, POINT{49, 49}, POINT{50, 0}, POINT{99, 49}}) {
      const uint32_t argb = png->Pixels().Pixel(p.x, p.y);
      const COLORREF colour = RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
      EXPECT_EQ(colour, p.x < 50 ? kLeftColour : kRightColour) << p.x << "," << p.y;
    }
  }
}

TEST(CaptureWindow, DrawsTheScreenTheOutlineAndTheTintWhileDragging) {
  TBackdrop backdrop;
  TFrmCatch form;
  ASSERT_TRUE(ScreenShows({30, 30}, kLeftColour));
  bool outline = false, tinted = false, outside = false;
  const std::vector<TInput> inputs = {{WM_LBUTTONDOWN, 10, 20}, {WM_MOUSEMOVE, 110, 70}, {WM_KEYDOWN}};
  // The window appearing under the real pointer gets a move to where that pointer is: put it where
  // the drag ends, so that such a move cannot stretch the rectangle beyond the one checked.
  SetCursorPos(110, 70);
  const TUserPlay seen = Play(form, inputs, [&](size_t i) {
    if (i != 1) return;
    outline = ScreenShows({10, 20}, RGB(0x00, 0xF8, 0xF8)) && ScreenShows({109, 69}, RGB(0x00, 0xF8, 0xF8));
    // A quarter of the outline's colour over three quarters of the left window's.
    tinted = ScreenShows({30, 30}, RGB(0x18, 0x6E, 0xCE));
    outside = ScreenShows({30, 100}, kLeftColour) && ScreenShows({150, 100}, kRightColour);
  });
  EXPECT_FALSE(seen.chosen);
  EXPECT_FALSE(seen.stayedOpen);
  EXPECT_TRUE(outline);
  EXPECT_TRUE(tinted);
  EXPECT_TRUE(outside);
}

}  // namespace
}  // namespace vsm
