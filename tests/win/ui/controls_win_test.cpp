#include <windows.h>

#include <gtest/gtest.h>

#include "ui/ImageIds.h"
#include "ui/Image_win.h"
#include "ui/LayeredSurface_win.h"
#include "ui/PopupMenu_win.h"
#include "ui/Theme_win.h"
#include "ui/Window_win.h"

namespace vsm {
namespace {

// A window of the base class that records what it is sent and what its children reflect.
class TRecordingWindow final : public TWindow {
 public:
  TRecordingWindow() { CreateWindowFrom({L"VsmTestWindow"}, 0, WS_POPUP, RECT{0, 0, 100, 50}, nullptr); }
  int messages = 0;
  int ownerDraws = 0;  // WM_MEASUREITEM and WM_DRAWITEM that reached the window itself

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP) ++messages;
    if (message == WM_MEASUREITEM || message == WM_DRAWITEM) ++ownerDraws;
    return TWindow::OnMessage(message, wParam, lParam);
  }
};

class TRecordingTarget final : public TReflectTarget {
 public:
  UINT last = 0;
  bool OnReflectedMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
    last = message;
    result = 42;
    return true;
  }
};

TEST(WindowBase, DeliversMessagesToTheObjectAndReflectsChildMessages) {
  TRecordingWindow parent;
  ASSERT_NE(parent.Handle(), nullptr);
  SendMessageW(parent.Handle(), WM_APP, 0, 0);
  EXPECT_EQ(parent.messages, 1);
  TRecordingWindow second;  // the class is registered once and serves both
  ASSERT_NE(second.Handle(), nullptr);

  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent.Handle(),
                               reinterpret_cast<HMENU>(7), GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(child, nullptr);
  TRecordingTarget target;
  SetReflectTarget(child, &target);
  EXPECT_EQ(SendMessageW(parent.Handle(), WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(child)), 42);
  EXPECT_EQ(target.last, static_cast<UINT>(WM_CTLCOLORSTATIC));
  NMHDR notify{child, 7, 0};
  EXPECT_EQ(SendMessageW(parent.Handle(), WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&notify)), 42);
  EXPECT_EQ(target.last, static_cast<UINT>(WM_NOTIFY));
  SetReflectTarget(child, nullptr);
  target.last = 0;
  SendMessageW(parent.Handle(), WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(child));
  EXPECT_EQ(target.last, 0u);
  EXPECT_GE(parent.Scale().dpi, 96);
}

TEST(WindowBase, ForgetsItsWindowWhenDestroyedFromOutside) {
  TRecordingWindow window;
  HWND handle = window.Handle();
  DestroyWindow(handle);
  EXPECT_EQ(window.Handle(), nullptr);  // and the destructor does not destroy it again
}

// What the menu test's timer does inside the menu's modal loop.
struct TMenuProbe {
  HWND owner = nullptr;
  ULONG_PTR itemData = 0;
  UINT measuredHeight = 0;
  bool ran = false;
};
TMenuProbe menuProbe;

void CALLBACK MeasureThenCloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  MEASUREITEMSTRUCT measure{ODT_MENU, 0, 0, 0, 0, menuProbe.itemData};
  SendMessageW(menuProbe.owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
  menuProbe.measuredHeight = measure.itemHeight;
  menuProbe.ran = true;
  EndMenu();
}

TEST(WindowBase, TheMenuThatIsUpOverAWindowMeasuresItsOwnItems) {
  TRecordingWindow owner;
  ShowWindow(owner.Handle(), SW_SHOW);
  TVeskPopupMenu menu{26, 150};
  menu.Add({L"First", 1});
  menu.Add({L"Second", 2});
  const ULONG_PTR first = reinterpret_cast<ULONG_PTR>(&menu.Items()[0]);
  menuProbe = {owner.Handle(), first};
  SetTimer(nullptr, 0, 100, MeasureThenCloseMenu);
  EXPECT_EQ(menu.Popup(owner.Handle(), 20, 20), -1);
  ASSERT_TRUE(menuProbe.ran);
  EXPECT_EQ(menuProbe.measuredHeight, static_cast<UINT>(owner.Scale()(26)));
  EXPECT_EQ(owner.ownerDraws, 0);  // the window forwarded nothing by hand

  // Once the menu is down its items are the window's business again.
  MEASUREITEMSTRUCT after{ODT_MENU, 0, 0, 0, 0, first};
  SendMessageW(owner.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&after));
  EXPECT_EQ(after.itemHeight, 0u);
  EXPECT_EQ(owner.ownerDraws, 1);
}

TEST(Images, AMissingPngResourceGivesNoImage) {
  // The test binary carries no image resources.
  EXPECT_EQ(TImage::FromPngResource(IDP_STRIP_UPLOAD), nullptr);
  EXPECT_EQ(TImage::FromPngResourceFor(IDP_STRIP_UPLOAD, TDpiScale{144}), nullptr);
  RECT anywhere{0, 0, 10, 10};
  DrawImage(nullptr, nullptr, anywhere);  // drawing without the image does nothing
}

TEST(Images, IconsBecomePremultipliedImages) {
  HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  auto image = TImage::FromIcon(icon, 16);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width(), 16);
  int opaque = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const uint32_t pixel = image->Pixels().Pixel(x, y);
      const uint32_t alpha = pixel >> 24;
      // Premultiplied: no colour channel exceeds the alpha.
      EXPECT_LE((pixel >> 16) & 0xFF, alpha);
      EXPECT_LE(pixel & 0xFF, alpha);
      opaque += alpha == 255;
    }
  }
  EXPECT_GT(opaque, 0);
  EXPECT_EQ(TImage::FromIcon(nullptr, 16), nullptr);
}

TEST(LayeredSurface, BackgroundTakesItsAlphaAndTextBecomesOpaque) {
  TLayeredSurface surface;
  ASSERT_TRUE(surface.Resize(60, 20));
  HDC dc = surface.DC();
  const uint32_t background = 0xFF151515;
  FillColour(dc, RECT{0, 0, 60, 20}, background);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT text{0, 0, 60, 20};
  DrawTextW(dc, L"RAM", -1, &text, DT_SINGLELINE | DT_LEFT | DT_TOP);
  surface.ApplyBackgroundAlpha(background, 230);
  const ArgbBitmap& pixels = *surface.Pixels();
  int textPixels = 0;
  // 21 * 230 / 255 = 18.9, premultiplied to 19.
  EXPECT_EQ(pixels.Pixel(59, 19), 0xE6131313u);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 60; ++x) {
      const uint32_t pixel = pixels.Pixel(x, y);
      if (pixel != 0xE6131313u) {
        EXPECT_EQ(pixel >> 24, 255u) << x << "," << y;
        ++textPixels;
      }
    }
  }
  EXPECT_GT(textPixels, 10);
  // The same size keeps the pixels; another size makes a new surface.
  ArgbBitmap* before = surface.Pixels();
  EXPECT_TRUE(surface.Resize(60, 20));
  EXPECT_EQ(surface.Pixels(), before);
}

}  // namespace
}  // namespace vsm
