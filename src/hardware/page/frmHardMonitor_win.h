#pragma once
// The hardware monitor page of the main window: a side menu of sections, the chosen section's
// caption and icon, and one tree that shows it; the mainboard section's sensor values are painted
// live once a second. The tree can be saved as a comma-separated report.
#include <windows.h>

#include <memory>
#include <string>

#include "hardware/page/HardwareSections.h"
#include "ui/Gdi_win.h"
#include "ui/InfoTreeView_win.h"
#include "ui/PopupMenu_win.h"
#include "ui/SkinButtons_win.h"
#include "ui/WindowServices_win.h"
#include "ui/Window_win.h"

namespace vsm {

class TfrmHardMonitor final : public TWindow {
 public:
  static constexpr int kMenuWidth = 142;
  static constexpr int kCaptionHeight = 48;

  TfrmHardMonitor(HWND parent, TWindowServices services);
  ~TfrmHardMonitor() override;

  void Localize();
  void ShowSection(THardwareSection section);
  void Show();       // FormShow
  void FormClose();  // also FormHide
  THardwareSection CurrentSection() const { return FShowTag; }

 private:
  TWindowServices FServices;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Layout();
  void Paint(HDC dc);
  void img1AfterDrawPaint(HDC dc, const RECT& box) const;
  void SaveToFile();
  std::wstring ButtonCaption(THardwareSection section);

  std::unique_ptr<TInfoTreeView> tvov;
  TSkinButtonSet FSections;
  TVeskPopupMenu dpmn1{22, 150};
  TFontHandle FFont, FBold;
  std::wstring lblCation = L"Computer Overview";
  THardwareSection FShowTag = THardwareSection::Overview;
  bool FTimerOn = false;
};

}  // namespace vsm
