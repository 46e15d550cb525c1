#include "monitor/frmMonitorFloat_win.h"

#include <algorithm>

#include "base/ByteSize_win.h"
#include "base/wide_win.h"
#include "monitor/MonitorHardware_win.h"
#include "monitor/frmMonitorPopup_win.h"
#include "services/Translation_win.h"
#include "software/Software_win.h"
#include "ui/ForceForeground_win.h"
#include "ui/ImageIds.h"
#include "ui/MousePoint_win.h"
#include "ui/Rect_win.h"
#include "ui/Theme_win.h"

namespace vsm {

std::unique_ptr<TfrmMonitorFloat> frmMonitorFloat;

namespace {

constexpr UINT kKeyMenuCommand = 0xF100;  // SC_KEYMENU: the Alt-key system menu
constexpr UINT kRepaintInterval = 1000;
constexpr UINT kSlideInterval = 30;
constexpr UINT kDragInterval = 15;

const TWindowClassTraits kStripClass{L"TfrmMonitorFloat"};

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT WorkAreaAt(POINT point) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT bounds, LPARAM list) {
  reinterpret_cast<std::vector<Rect>*>(list)->push_back(ToRect(*bounds));
  return TRUE;
}

// The primary button, which is the right one when the buttons are swapped.
bool LeftButtonDown() {
  return (GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) & 0x8000) != 0;
}

void DrawTextIn(HDC dc, const std::string& text, RECT rect, UINT flags) {
  const std::wstring wide = Widen(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, flags | DT_NOPREFIX);
}

}  // namespace

TfrmMonitorFloat::TfrmMonitorFloat(HWND owner, TWindowServices services) : FServices(std::move(services)) {
  const RECT bounds{0, 0, kStripDefaultWidth, kStripHeight};
  // A tool window, so it has no taskbar button; layered for its translucent ground.
  CreateWindowFrom(kStripClass, WS_EX_TOOLWINDOW | WS_EX_LAYERED, WS_POPUP, bounds, owner);
  FormCreate();
}

void TfrmMonitorFloat::FormCreate() {
  CreateScaledResources();

  ChooseTemperature();

  RECT primary{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
  std::vector<Rect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  const int height = Scale()(kStripHeight);
  const Point place = PlaceStrip(FServices.settings->FloatX, FServices.settings->FloatY, FWidth, height,
                                 ToRect(primary), monitors, Scale());
  SetWindowPos(Handle(), nullptr, place.x, place.y, FWidth, height, SWP_NOZORDER | SWP_NOACTIVATE);

  Localize();
}

void TfrmMonitorFloat::ChooseTemperature() {
  const TMoniItem temperature = ChooseTemperatureItem(ReadSensorPresence(FServices.hardware));
  if (drawSet.Contains(temperature)) return;
  SetDrawSet({miRecv, miSend, miMemory, miCpu, temperature});
  if (Visible()) Paint();
}

void TfrmMonitorFloat::CreateScaledResources() {
  font_ = CreateRoleFont(Theme().fonts.strip, Scale());
  uploadArrow_ = TImage::FromPngResourceFor(IDP_STRIP_UPLOAD, Scale());
  downloadArrow_ = TImage::FromPngResourceFor(IDP_STRIP_DOWNLOAD, Scale());
  highlight_ = TImage::FromPngResourceFor(IDP_STRIP_HIGHLIGHT, Scale());
  if (Scale().dpi != kDesignDpi) {
    chartPixels_ = std::make_unique<ArgbBitmap>(22, 12);
  } else {
    chartPixels_.reset();
  }
}

void TfrmMonitorFloat::Localize() {
  dpmn1.Clear();
  dpmn1.SetFont(LangLogFont());
  dpmn1.Add({FServices.langText("Translation", "ppmStayontop", L"Stay on top"), kTagStayOnTop,
             FServices.settings->TopMost});
  dpmn1.Add({FServices.langText("Translation", "ppmHide", L"Hide"), kTagHide, false});
  dpmn1.Add({L"-", -1, false});
  dpmn1.Add({FServices.langText("Translation", "ppmDetails", L"Details"), kTagDetails, false});
}

void TfrmMonitorFloat::SetDrawSet(TMoniItemSet items) {
  if (items.Empty()) return;
  TWindowDC screen(nullptr);
  TSelectObject selected(screen.Get(), font_.Get());
  auto measure = [&screen](std::string_view text) {
    const std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return static_cast<int>(size.cx);
  };
  layout_ = LayoutStrip(items, measure, Scale());
  FWidth = layout_.width;
  drawSet = items;
  SetWindowPos(Handle(), nullptr, 0, 0, FWidth, Scale()(kStripHeight),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMonitorFloat::SetTopMost(bool topMost) {
  SetWindowPos(Handle(), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfrmMonitorFloat::Show() {
  if (Visible()) return;
  Paint();
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void TfrmMonitorFloat::Hide() { ShowWindow(Handle(), SW_HIDE); }

RECT TfrmMonitorFloat::Bounds() const {
  RECT bounds{};
  GetWindowRect(Handle(), &bounds);
  return bounds;
}

RECT TfrmMonitorFloat::WorkArea() const {
  const RECT bounds = Bounds();
  return WorkAreaAt({bounds.left, bounds.top});
}

void TfrmMonitorFloat::SetBounds(const RECT& bounds) {
  SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Paint();
}

LRESULT TfrmMonitorFloat::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam != 0) {  // FormShow
        SetTimer(Handle(), kRepaintTimer, kRepaintInterval, nullptr);
        FShowed = true;
      } else {  // FormHide
        KillTimer(Handle(), kRepaintTimer);
      }
      break;
    case WM_TIMER:
      if (wParam == kRepaintTimer) Paint();
      if (wParam == kSlideTimer) tmr3Timer();
      if (wParam == kDragTimer) FollowPointer();
      return 0;
    case WM_SIZE: Paint(); break;
    case WM_MOVE: Moved(); break;
    case WM_MOUSEMOVE:
      if (!mouseInside_) {
        mouseInside_ = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
        MouseEnter();
      }
      MouseMove(MousePoint(lParam), (wParam & MK_LBUTTON) != 0);
      return 0;
    case WM_MOUSELEAVE:
      mouseInside_ = false;
      MouseLeave();
      return 0;
    case WM_LBUTTONDOWN:
      fMousePt = MousePoint(lParam);
      leftDown_ = true;
      SetCapture(Handle());
      return 0;
    case WM_LBUTTONUP:
      if (leftDown_) {
        const bool dragged = dragging_;
        EndPress();
        if (!dragged) Click();
      }
      return 0;
    case WM_RBUTTONUP: PopupMenu(); return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == kKeyMenuCommand) return -1;
      break;
    default: break;
  }
  return TWindow::OnMessage(message, wParam, lParam);
}

void TfrmMonitorFloat::OnDpiChanged(const RECT& suggested) {
  CreateScaledResources();
  SetDrawSet(drawSet);
  SetBounds({suggested.left, suggested.top, suggested.left + FWidth, suggested.top + Scale()(kStripHeight)});
}

void TfrmMonitorFloat::Moved() {
  if (!FShowed) return;
  const RECT bounds = Bounds();
  FServices.settings->FloatX = bounds.left;
  FServices.settings->FloatY = bounds.top;
  // A drag moves the strip many times a second and a slide every 30 ms: they save when they end.
  if (!dragging_ && !sliding_) FServices.saveSettings();
}

void TfrmMonitorFloat::SavePosition() {
  if (FShowed) FServices.saveSettings();
}

void TfrmMonitorFloat::Paint() {
  if (menuOpen_) return;
  const RECT bounds = Bounds();
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  if (!surface_.Resize(width, height)) return;
  HDC dc = surface_.DC();
  const TThemeColours& colours = Theme().colours;
  FillColour(dc, RECT{0, 0, width, height}, colours.stripBackground);
  TSelectObject selected(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(colours.darkText));
  const bool popupVisible = frmMonitorPopup && frmMonitorPopup->Visible();
  const TDpiScale scale = Scale();
  for (int i = miRecv; i < kMoniItemCount; ++i) {
    const auto item = static_cast<TMoniItem>(i);
    if (!drawSet.Contains(item)) continue;
    const Rect& cell = layout_.cells[item];
    if (popupVisible && item == FMouseMoni) {
      DrawImage(highlight_, dc, RECT{cell.left - scale(5), cell.top, cell.right + scale(5), cell.bottom});
    }
    PaintCell(dc, item, cell);
  }
  surface_.ApplyBackgroundAlpha(colours.stripBackground, colours.stripAlpha);
  surface_.Present(Handle(), POINT{bounds.left, bounds.top});
}

void TfrmMonitorFloat::PaintCell(HDC dc, TMoniItem item, const Rect& cell) {
  const TDpiScale scale = Scale();
  TStripValues values;
  if (FServices.software) {
    values.recvPerS = FServices.software->TdiRecord().RecvPerS();
    values.sendPerS = FServices.software->TdiRecord().SendPerS();
    values.memoryRate = FServices.software->Memoryrate();
  }
  if (IsTemperatureItem(item)) values.temperature = ReadStripTemperature(FServices.hardware, item);
  const std::string text = StripCellText(item, values, FServices.settings->TempUnit, UserDecimalSeparator());
  const RECT line{cell.left, scale(5), cell.right, scale(19)};
  switch (item) {
    case miRecv:
    case miSend:
      DrawImage(item == miRecv ? downloadArrow_ : uploadArrow_, dc,
                RECT{cell.left, scale(5), cell.left + scale(14), scale(19)});
      DrawTextIn(dc, text, line, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
      break;
    case miMemory: DrawTextIn(dc, text, line, DT_LEFT | DT_SINGLELINE | DT_VCENTER); break;
    case miCpu: {
      const int textWidth = cell.right - cell.left - scale(CellExtraWidth(miCpu));
      DrawTextIn(dc, text, RECT{cell.left, scale(5), cell.left + textWidth, scale(19)},
                 DT_LEFT | DT_SINGLELINE | DT_VCENTER);
      if (FServices.software) {
        PaintCpuChart(
            {cell.left + textWidth + scale(2), scale(6), cell.left + textWidth + scale(24), scale(18)});
      }
      break;
    }
    default: DrawTextIn(dc, text, line, 0); break;
  }
}

void TfrmMonitorFloat::PaintCpuChart(const Rect& chart) {
  ArgbBitmap* pixels = surface_.Pixels();
  if (pixels == nullptr) return;
  GdiFlush();
  if (!chartPixels_) {
    FServices.software->CpuRecord().DrawBarChart(*pixels, chart);
    return;
  }
  // The chart's bars are one pixel each; at other scales it is drawn at its own size and each
  // pixel widened to the scaled rectangle, so the bars keep their proportions.
  const uint32_t background = Theme().colours.stripBackground;
  chartPixels_->Fill(background);
  FServices.software->CpuRecord().DrawBarChart(*chartPixels_,
                                               {0, 0, chartPixels_->Width(), chartPixels_->Height()});
  const int width = chart.right - chart.left;
  const int height = chart.bottom - chart.top;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t pixel =
          chartPixels_->Pixel(x * chartPixels_->Width() / width, y * chartPixels_->Height() / height);
      if (pixel != background) pixels->SetPixel(chart.left + x, chart.top + y, pixel);
    }
  }
}

void TfrmMonitorFloat::MouseMove(Point point, bool leftButton) {
  if (!leftButton) {
    // The press ended without reaching the strip (the capture was lost on the way).
    if (leftDown_) EndPress();
    SetHover(HitTestStrip(layout_, drawSet, point, Scale()));
    return;
  }
  if (!leftDown_) return;
  if (!dragging_ && !StartsDrag(fMousePt, point, Scale())) return;
  if (!dragging_) {
    dragging_ = true;
    // Pointer motion outside the strip does not always reach it (under Wine it may stop once the
    // pointer is off the window), so the drag also follows the pointer on a short timer.
    SetTimer(Handle(), kDragTimer, kDragInterval, nullptr);
  }
  FollowPointer();
}

void TfrmMonitorFloat::FollowPointer() {
  // The strip keeps the point where the button went down under the pointer until the button is
  // released.
  if (!LeftButtonDown()) {
    EndPress();
    return;
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  const RECT bounds = Bounds();
  if (cursor.x - fMousePt.x == bounds.left && cursor.y - fMousePt.y == bounds.top) return;
  SetWindowPos(Handle(), nullptr, cursor.x - fMousePt.x, cursor.y - fMousePt.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMonitorFloat::EndPress() {
  const bool dragged = dragging_;
  leftDown_ = false;
  dragging_ = false;
  KillTimer(Handle(), kDragTimer);
  if (GetCapture() == Handle()) ReleaseCapture();
  if (dragged) SavePosition();
}

void TfrmMonitorFloat::SetHover(TMoniItem item) {
  if (item == FMouseMoni) return;
  FMouseMoni = item;
  if (frmMonitorPopup && frmMonitorPopup->Visible()) frmMonitorPopup->ShowPopup(Bounds(), item);
  Paint();
}

void TfrmMonitorFloat::Click() {
  if (!frmMonitorPopup) frmMonitorPopup = std::make_unique<TfrmMonitorPopup>(FServices);
  frmMonitorPopup->OnShownOrHidden = [this] { Paint(); };
  frmMonitorPopup->ShowPopup(Bounds(), FMouseMoni);
  frmMonitorPopup->OnClose = [this] { PopupClosed(); };
}

void TfrmMonitorFloat::PopupClosed() {
  bClosing = true;
  MouseLeave();
  bClosing = false;
}

void TfrmMonitorFloat::MouseEnter() {
  if (sliding_) return;
  const RECT bounds = Bounds();
  const Rect strip = ToRect(bounds);
  if (slideDirection_ != TSlideDirection::None) {
    SetBounds(ToRECT(ReturnFromSlide(strip, slideDirection_, FWidth, WorkArea().right, Scale())));
  }
  slideDirection_ = TSlideDirection::None;
}

void TfrmMonitorFloat::MouseLeave() {
  const bool popupVisible = frmMonitorPopup && frmMonitorPopup->Visible();
  if (popupVisible && !bClosing) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const bool leftButton = LeftButtonDown();
  const TSlideStart slide =
      DecideSlide(ToRect(Bounds()), cursor.x, leftButton, sliding_, ToRect(WorkArea()), Scale());
  if (!slide.decided) return;
  slideDirection_ = slide.direction;
  if (slide.left) {
    const RECT bounds = Bounds();
    SetBounds({*slide.left, bounds.top, *slide.left + bounds.right - bounds.left, bounds.bottom});
  }
  if (slide.start) {
    sliding_ = true;
    SetTimer(Handle(), kSlideTimer, kSlideInterval, nullptr);
  }
  if (!popupVisible) SetHover(miNone);
}

void TfrmMonitorFloat::tmr3Timer() {
  const TSlideStep step = StepSlide(ToRect(Bounds()), slideDirection_, WorkArea().right, Scale());
  if (step.done) KillTimer(Handle(), kSlideTimer);
  SetBounds(ToRECT(step.strip));
  if (step.done) {
    sliding_ = false;
    SavePosition();
  }
}

void TfrmMonitorFloat::PopupMenu() {
  POINT cursor{};
  GetCursorPos(&cursor);
  // The strip holds still while its menu is up: under Wine presenting a layered window again
  // takes the focus from the menu, which closes it.
  menuOpen_ = true;
  const int chosen = dpmn1.Popup(Handle(), cursor.x, cursor.y);
  menuOpen_ = false;
  if (chosen >= 0) dpmn1Click(dpmn1.Items()[static_cast<size_t>(chosen)]);
}

void TfrmMonitorFloat::dpmn1Click(TMenuItemInfo& item) {
  switch (item.tag) {
    case kTagStayOnTop:
      ForceForegroundWindow(Handle(), false);
      SetWindowPos(Handle(), item.checked ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
      item.checked = !item.checked;
      FServices.settings->TopMost = item.checked;
      FServices.saveSettings();
      break;
    case kTagHide: Hide(); break;
    case kTagDetails:
      if (FServices.showMainWindow) FServices.showMainWindow();
      break;
    default: break;
  }
}

}  // namespace vsm
