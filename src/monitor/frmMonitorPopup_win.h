#pragma once
// The popup under (or over) the floating strip that explains one item: the nine processes that
// use most of it with an end-process button each and a history chart or memory summary, or the
// hardware temperatures with coloured bars and the °C/°F choice.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/DibCanvas_win.h"
#include "monitor/MonitorPopupRules.h"
#include "monitor/MonitorPopupView.h"
#include "ui/Gdi_win.h"
#include "ui/Image_win.h"
#include "ui/RadioBox.h"
#include "ui/RowList.h"
#include "ui/WindowServices_win.h"
#include "ui/Window_win.h"

namespace vsm {

class TfrmMonitorPopup final : public TWindow {
 public:
  explicit TfrmMonitorPopup(TWindowServices services);  // FormCreate

  // Fills the popup for the item and opens it below or above the strip, as wide as the strip.
  void ShowPopup(const RECT& stripBounds, TMoniItem item);
  void SetMonitor(TMoniItem item);
  void Localize();
  bool Visible() const { return IsWindowVisible(Handle()) != FALSE; }

  // Called on the UI thread: after the popup closed, and whenever it was shown or hidden.
  std::function<void()> OnClose;
  std::function<void()> OnShownOrHidden;

 private:
  TWindowServices FServices;
  static constexpr UINT_PTR kChartTimer = 1;  // tmr1

  struct TRow {
    TProcessItemRef item;  // cleared once the process was ended
    std::wstring caption;
    std::wstring value;
    TImage* icon = nullptr;
  };
  struct TLabel {
    std::string name;  // component name, for its language key
    std::wstring caption;
  };

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged(const RECT& suggested) override;

  void CreateFonts();
  void LoadScaledImages();
  void Close();
  void SetTitles();
  // The process view from the engine's list, read under its lock.
  TPopupView ProcessView();
  // Takes over the view's rows, temperatures, unit choice and height.
  void ShowView(const TPopupView& view);
  TImage* ProcessIcon(const std::string& exePath);
  void ArrangeList();

  void Paint();
  void PaintRows(HDC dc);
  void PaintTemperatures(HDC dc);
  void PaintChartPanel(HDC dc, const Rect& panel);
  void PaintMemorySummary(HDC dc, const Rect& panel);
  void PaintFrame(HDC dc);

  void MouseMove(Point point);
  void MouseDown(Point point);
  void MouseUp(Point point);
  void UnitChosen(int index);

  TMoniItem FMonitor = miNone;
  int frameTag_ = 0;       // dfrm1's tag: 0 opened below the strip, 1 above
  int contentHeight_ = 0;  // pixels, without the frame's extra
  std::vector<TRow> rows_;
  TRowList lst1;
  std::vector<TPanelTemperatureRow> temps_;
  // ckC, ckF; filled before the window exists, whose creation already sends WM_SIZE.
  std::vector<TRadioBox> units_{{{},
                                 "\xC2\xB0"
                                 "C",
                                 false},
                                {{},
                                 "\xC2\xB0"
                                 "F",
                                 false}};
  std::wstring lbl1, lbl2;
  std::map<std::string, std::wstring> captions_;  // label captions by component name
  Point cursor_{-1, -1};

  TFontHandle font_, labelFont_, titleFont_;
  std::unique_ptr<TImage> backBuffer_;
  std::unique_ptr<TImage> chartBackground_, frameBelow_, frameAbove_, pieBackground_, pieUsed_;
  std::unique_ptr<TImage> pie_;                           // the composed pie, 100 x 100 scaled
  std::unique_ptr<TImage> endProcess_[3];                 // li2: normal, hot, pressed
  std::unique_ptr<TImage> genericIcon_;                   // il1 entry 0
  std::unique_ptr<TImage> panelLine_;                     // one translucent pixel, stretched into a line
  std::map<std::string, std::unique_ptr<TImage>> icons_;  // il1 by executable path
  std::unique_ptr<TDibCanvas> chartCanvas_;
  int pieAngle_ = -1;
  TRegionHandle pieRegion_;
};

// Created by the strip on the first click; lives until the program ends.
extern std::unique_ptr<TfrmMonitorPopup> frmMonitorPopup;

}  // namespace vsm
