#pragma once
// The floating strip: download and upload rate, memory load, a small CPU chart and one
// temperature on a translucent dark strip that sits on the desktop. It repaints once a second
// from the engines' latest values, opens the popup for the item under the mouse, can be dragged
// anywhere and slides out of sight at the top or right edge of the work area.
#include <windows.h>

#include <functional>
#include <memory>

#include "monitor/MonitorFloatRules.h"
#include "ui/Gdi_win.h"
#include "ui/Image_win.h"
#include "ui/LayeredSurface_win.h"
#include "ui/PopupMenu_win.h"
#include "ui/WindowServices_win.h"
#include "ui/Window_win.h"

namespace vsm {

class TfrmMonitorFloat final : public TWindow {
 public:
  // Creates the hidden strip owned by `owner`, chooses its items from the sensors found and
  // places it (FormCreate).
  TfrmMonitorFloat(HWND owner, TWindowServices services);

  void Localize();
  // Shows the temperature of the first source that reads one (ChooseTemperatureItem); called at
  // creation and again once the hardware thread has read every sensor.
  void ChooseTemperature();
  // Lays out the given items and sets the strip's width; an empty set changes nothing.
  void SetDrawSet(TMoniItemSet items);
  void SetTopMost(bool topMost);
  void Show();
  void Hide();
  bool Visible() const { return IsWindowVisible(Handle()) != FALSE; }

 private:
  TWindowServices FServices;
  static constexpr UINT_PTR kRepaintTimer = 1;  // tmr1
  static constexpr UINT_PTR kSlideTimer = 3;    // tmr3
  static constexpr UINT_PTR kDragTimer = 4;
  enum MenuTag : int { kTagStayOnTop = 0, kTagHide = 1, kTagDetails = 20 };

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged(const RECT& suggested) override;

  void FormCreate();
  // Fonts, images and the chart buffer for the current DPI.
  void CreateScaledResources();
  void Paint();
  void PaintCell(HDC dc, TMoniItem item, const Rect& cell);
  void PaintCpuChart(const Rect& chart);
  RECT Bounds() const;
  RECT WorkArea() const;
  void SetBounds(const RECT& bounds);

  void MouseMove(Point point, bool leftButton);
  void FollowPointer();
  void EndPress();
  void SetHover(TMoniItem item);
  void Click();
  void PopupClosed();
  void MouseEnter();
  void MouseLeave();
  void tmr3Timer();
  void PopupMenu();
  void dpmn1Click(TMenuItemInfo& item);
  void Moved();
  // Stores the position; the file gets it when no drag or slide is still moving the strip.
  void SavePosition();

  TMoniItemSet drawSet;
  TStripLayout layout_;
  TMoniItem FMouseMoni = miNone;
  Point fMousePt;
  bool FShowed = false;
  int FWidth = 0;
  bool bClosing = false;
  bool leftDown_ = false;  // pressed on the strip, capture held
  bool dragging_ = false;  // the press became a drag
  bool mouseInside_ = false;
  bool sliding_ = false;
  bool menuOpen_ = false;
  TSlideDirection slideDirection_ = TSlideDirection::None;

  TFontHandle font_;
  std::unique_ptr<TImage> uploadArrow_, downloadArrow_, highlight_;  // dmglst1
  TLayeredSurface surface_;
  std::unique_ptr<ArgbBitmap> chartPixels_;  // the CPU chart at 96 dpi, for other scales
  TVeskPopupMenu dpmn1{26, 150};
};

// Created by the hidden main form; lives until the program ends.
extern std::unique_ptr<TfrmMonitorFloat> frmMonitorFloat;

}  // namespace vsm
