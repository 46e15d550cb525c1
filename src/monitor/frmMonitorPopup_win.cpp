#include "monitor/frmMonitorPopup_win.h"

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>

#include "base/ByteSize_win.h"
#include "base/Temperature.h"
#include "base/handle_win.h"
#include "base/wide_win.h"
#include "monitor/MonitorFloatRules.h"
#include "monitor/MonitorHardware_win.h"
#include "monitor/PopupEndProcess.h"
#include "services/Translation_win.h"
#include "software/ProcessInfo_win.h"
#include "software/ProcessKill_win.h"
#include "software/Software_win.h"
#include "ui/ImageIds.h"
#include "ui/MousePoint_win.h"
#include "ui/Rect_win.h"
#include "ui/Theme_win.h"

namespace vsm {

std::unique_ptr<TfrmMonitorPopup> frmMonitorPopup;

namespace {

constexpr UINT kChartInterval = 1000;
constexpr int kButtonSize = 16;
const TWindowClassTraits kPopupClass{L"TfrmMonitorPopup"};

// The list's process lock, released however the filling ends.
class TProcessListLock {
 public:
  explicit TProcessListLock(TSoftware& engine) : engine_(engine), list_(engine.ProcessList()) {}
  ~TProcessListLock() { engine_.ReleaseProcessList(); }
  TProcessListLock(const TProcessListLock&) = delete;
  TProcessListLock& operator=(const TProcessListLock&) = delete;
  TProcessList& List() { return list_; }

 private:
  TSoftware& engine_;
  TProcessList& list_;
};

struct TTitleKeys {
  const char* title;
  const wchar_t* titleText;
  const char* chart;
  const wchar_t* chartText;
};

TTitleKeys TitleKeys(TMoniItem item) {
  switch (item) {
    case miRecv:
      return {"TfrmMonitorPopup.lbl1_R", L"Download speed", "TfrmMonitorPopup.lbl2_R",
              L"Download speed record"};
    case miSend:
      return {"TfrmMonitorPopup.lbl1_S", L"Upload speed", "TfrmMonitorPopup.lbl2_S", L"Upload speed record"};
    case miMemory:
      return {"TfrmMonitorPopup.lbl1_M", L"Memory usage", "TfrmMonitorPopup.lbl2_M", L"System memory status"};
    case miCpu:
      return {"TfrmMonitorPopup.lbl1_C", L"CPU usage", "TfrmMonitorPopup.lbl2_C", L"CPU usage fluctuation"};
    default: return {"TfrmMonitorPopup.lbl1_T", L"Hardware component temperature", nullptr, nullptr};
  }
}

// The label components of the temperature panel, by item: name label and built-in caption.
const char* NameLabel(TMoniItem item) {
  switch (item) {
    case miTempCpu: return "lblCpu";
    case miBoard: return "lblBoard";
    case miTempDisk: return "lblhdd";
    case miTempZone: return "lblZone";
    default: return "lblGpu";
  }
}

void DrawTextAt(HDC dc, const std::wstring& text, RECT rect, UINT flags) {
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags | DT_NOPREFIX);
}

}  // namespace

TfrmMonitorPopup::TfrmMonitorPopup(TWindowServices services) : FServices(std::move(services)) {
  // A borderless tool window on top, without a taskbar button.
  CreateWindowFrom(kPopupClass, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP,
                   RECT{0, 0, kPopupDefaultWidth, kPopupDefaultHeight}, nullptr);
  frameBelow_ = TImage::FromPngResource(IDP_POPUP_FRAME_BELOW);
  frameAbove_ = TImage::FromPngResource(IDP_POPUP_FRAME_ABOVE);
  LoadScaledImages();
  panelLine_ = TImage::Create(1, 1);
  // White at alpha 0x20, premultiplied.
  if (panelLine_) panelLine_->Pixels().SetPixel(0, 0, 0x20202020u);
  captions_ = {{"lblCpu", L"CPU"},
               {"lblGpu", L"GPU"},
               {"lblhdd", L"Hard Disk"},
               {"lblBoard", L"MainBoard"},
               {"lblZone", L"Zone"}};
  Localize();
}

void TfrmMonitorPopup::LoadScaledImages() {
  chartBackground_ = TImage::FromPngResourceFor(IDP_CHART_BACKGROUND, Scale());
  pieBackground_ = TImage::FromPngResourceFor(IDP_PIE_BACKGROUND, Scale());
  pieUsed_ = TImage::FromPngResourceFor(IDP_PIE_USED, Scale());
  endProcess_[0] = TImage::FromPngResourceFor(IDP_END_PROCESS_NORMAL, Scale());
  endProcess_[1] = TImage::FromPngResourceFor(IDP_END_PROCESS_HOT, Scale());
  endProcess_[2] = TImage::FromPngResourceFor(IDP_END_PROCESS_PRESSED, Scale());
  genericIcon_ = TImage::FromPngResourceFor(IDP_GENERIC_PROGRAM, Scale());
}

void TfrmMonitorPopup::CreateFonts() {
  const TDpiScale scale = Scale();
  LOGFONTW language = LangLogFont();
  language.lfHeight = -MulDiv(LangTranslator().GetLangFontSize(), scale.dpi, 72);
  font_.Reset(CreateFontIndirectW(&language));
  labelFont_ = CreateRoleFont(Theme().fonts.label, scale);
  titleFont_ = CreateRoleFont(Theme().fonts.title, scale);
}

void TfrmMonitorPopup::Localize() {
  CreateFonts();
  for (auto& [name, caption] : captions_) {
    std::string key = "TfrmMonitorPopup.";
    key.append(name).append(".caption");
    caption = FServices.langText("Translation", key, caption);
  }
  SetTitles();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmMonitorPopup::SetTitles() {
  if (FMonitor == miNone) return;
  const TTitleKeys keys = TitleKeys(FMonitor);
  lbl1 = FServices.langText("Translation", keys.title, keys.titleText);
  if (keys.chart != nullptr) lbl2 = FServices.langText("Translation", keys.chart, keys.chartText);
  // The title is also the window's text, for screen readers and window lists.
  SetWindowTextW(Handle(), lbl1.c_str());
}

void TfrmMonitorPopup::ShowPopup(const RECT& stripBounds, TMoniItem item) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(POINT{stripBounds.left, stripBounds.top}, MONITOR_DEFAULTTONEAREST),
                  &monitor);
  SetMonitor(item);
  const int width = stripBounds.right - stripBounds.left;
  RECT bounds{};
  GetWindowRect(Handle(), &bounds);
  SetWindowPos(Handle(), nullptr, 0, 0, width, bounds.bottom - bounds.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (item == miNone) return;
  const RECT& work = monitor.rcWork;
  const int height = contentHeight_ + Scale()(kPopupFrameExtra);
  const TPopupPlacement place =
      PlacePopup({stripBounds.left, stripBounds.top, stripBounds.right, stripBounds.bottom}, width, height,
                 {work.left, work.top, work.right, work.bottom});
  frameTag_ = place.frameTag;
  SetWindowPos(Handle(), HWND_TOPMOST, place.left, place.top, width, height, SWP_NOACTIVATE);
  InvalidateRect(Handle(), nullptr, FALSE);
  if (!Visible()) {
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
  }
}

void TfrmMonitorPopup::SetMonitor(TMoniItem item) {
  if (item == miNone) {
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    if (!PtInRect(&bounds, cursor)) Close();
    return;
  }
  FMonitor = item;
  SetTitles();
  TPopupView view;
  if (!IsTemperatureItem(item) && FServices.software) {
    view = ProcessView();
  } else if (IsTemperatureItem(item) && FServices.hardware != nullptr) {
    view = TemperaturePopupView(item, ReadPanelTemperatures(FServices.hardware), FServices.settings->TempUnit,
                                Scale());
  }
  ShowView(view);
  RECT bounds{};
  GetWindowRect(Handle(), &bounds);
  SetWindowPos(Handle(), nullptr, 0, 0, bounds.right - bounds.left,
               contentHeight_ + Scale()(kPopupFrameExtra), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ArrangeList();
  InvalidateRect(Handle(), nullptr, FALSE);
}

TPopupView TfrmMonitorPopup::ProcessView() {
  TProcessListLock lock(*FServices.software);
  std::vector<TProcessItemRef>& processes = lock.List().Items();
  if (FMonitor == miMemory) {
    for (const TProcessItemRef& process : processes) {
      if (process)
        process->Memoryuse = GetPrivateWorkingSet(reinterpret_cast<HANDLE>(process->hProc.Value()));
    }
  }
  return ProcessPopupView(processes, FMonitor, UserDecimalSeparator(), Scale());
}

void TfrmMonitorPopup::ShowView(const TPopupView& view) {
  rows_.clear();
  for (const TPopupProcessRow& row : view.rows) {
    rows_.push_back({row.item, Widen(row.caption), Widen(row.value), ProcessIcon(row.exePath)});
  }
  temps_ = view.temperatures;
  if (IsTemperatureItem(view.item)) {
    units_[0].checked = !view.fahrenheit;
    units_[1].checked = view.fahrenheit;
  }
  contentHeight_ = view.contentHeight;
}

TImage* TfrmMonitorPopup::ProcessIcon(const std::string& exePath) {
  if (exePath.empty()) return genericIcon_.get();
  auto found = icons_.find(exePath);
  if (found != icons_.end()) return found->second ? found->second.get() : genericIcon_.get();
  TIconHandle large, small;
  ExtractIconExW(Widen(exePath).c_str(), 0, large.Put(), small.Put(), 1);
  std::unique_ptr<TImage> icon;
  if (small) icon = TImage::FromIcon(small.Get(), Scale()(kButtonSize));
  TImage* result = icon ? icon.get() : genericIcon_.get();
  // Kept also when there is none, so a program without an icon is not opened again each time.
  icons_[exePath] = std::move(icon);
  return result;
}

void TfrmMonitorPopup::ArrangeList() {
  const TDpiScale scale = Scale();
  RECT client{};
  GetClientRect(Handle(), &client);
  const int panel = scale(ChartPanelHeight(FMonitor));
  const Rect list{0, scale(kPopupHeaderHeight), client.right, client.bottom - panel};
  // The value and button columns keep their width; the name takes the rest.
  lst1.SetLayout(list, scale(kPopupRowHeight), {client.right - scale(100), scale(70), scale(20)}, 2,
                 scale(kButtonSize));
  lst1.SetRowCount(static_cast<int>(rows_.size()));
  const int unitsTop = scale(kPopupHeaderHeight + 50 * static_cast<int>(temps_.size()) + 34);
  units_[0].bounds = {scale(20), unitsTop, scale(70), unitsTop + scale(20)};
  units_[1].bounds = {scale(80), unitsTop, scale(130), unitsTop + scale(20)};
}

void TfrmMonitorPopup::Close() {
  if (!Visible()) return;
  ShowWindow(Handle(), SW_HIDE);
  if (OnClose) OnClose();
}

LRESULT TfrmMonitorPopup::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam != 0) {  // FormShow
        SetTimer(Handle(), kChartTimer, kChartInterval, nullptr);
      } else {  // FormHide
        KillTimer(Handle(), kChartTimer);
      }
      if (OnShownOrHidden) PostMessageW(Handle(), WM_APP, 0, 0);  // after the change took effect
      break;
    case WM_APP:
      if (OnShownOrHidden) OnShownOrHidden();
      return 0;
    case WM_TIMER:
      if (wParam == kChartTimer) InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_SIZE: ArrangeList(); break;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) Close();  // FormDeactivate
      break;
    case WM_ACTIVATEAPP:
      if (wParam == FALSE) Close();
      break;
    case WM_NCHITTEST: {
      // The header moves the popup.
      const Point screen = MousePoint(lParam);
      POINT point{screen.x, screen.y};
      ScreenToClient(Handle(), &point);
      if (point.y < Scale()(kPopupHeaderHeight)) return HTCAPTION;
      return HTCLIENT;
    }
    case WM_MOUSEMOVE:
      if (cursor_.x < 0) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
      }
      MouseMove(MousePoint(lParam));
      return 0;
    case WM_MOUSELEAVE:
      cursor_ = {-1, -1};
      if (lst1.MouseLeave()) InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN: MouseDown(MousePoint(lParam)); return 0;
    case WM_LBUTTONUP: MouseUp(MousePoint(lParam)); return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
      break;
    default: break;
  }
  return TWindow::OnMessage(message, wParam, lParam);
}

void TfrmMonitorPopup::OnDpiChanged(const RECT& suggested) {
  CreateFonts();
  LoadScaledImages();
  icons_.clear();
  pieAngle_ = -1;
  TWindow::OnDpiChanged(suggested);
}

void TfrmMonitorPopup::MouseMove(Point point) {
  cursor_ = point;
  if (lst1.MouseMove(point)) InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmMonitorPopup::MouseDown(Point point) {
  if (lst1.MouseDown(point)) InvalidateRect(Handle(), nullptr, FALSE);
  if (IsTemperatureItem(FMonitor)) UnitChosen(RadioBoxAt(units_, point));
}

void TfrmMonitorPopup::MouseUp(Point point) {
  const int row = lst1.MouseUp(point);
  InvalidateRect(Handle(), nullptr, FALSE);
  if (row < 0) return;
  const TPopupEndOutcome outcome = EndPopupRowProcess(rows_[static_cast<size_t>(row)].item, KillProcessItem);
  if (outcome == TPopupEndOutcome::None) return;
  if (outcome == TPopupEndOutcome::Ended) {
    Sleep(100);
    SetMonitor(FMonitor);
    return;
  }
  FServices.messageBox(
      Handle(), FServices.langText("Translation", "Information", L"Information"),
      FServices.langText("Message", "KillProcessError",
                         L"End of the process error possible cause is insufficient permissions"),
      TMessageIcon::Confirmation, TMessageButtons::Ok);
}

void TfrmMonitorPopup::UnitChosen(int index) {
  if (!CheckRadioBox(units_, index)) return;
  FServices.settings->TempUnit.assign(1, units_[0].checked ? 'C' : 'F');
  SetMonitor(FMonitor);
}

void TfrmMonitorPopup::Paint() {
  TPaintDC paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  if (!backBuffer_ || backBuffer_->Width() != client.right || backBuffer_->Height() != client.bottom) {
    backBuffer_ = TImage::Create(client.right, client.bottom);
    if (!backBuffer_) return;
  }
  HDC dc = backBuffer_->DC();
  const TDpiScale scale = Scale();
  const TThemeColours& colours = Theme().colours;
  FillColour(dc, client, colours.popupBackground);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(colours.darkText));
  {
    TSelectObject selected(dc, titleFont_.Get());
    DrawTextAt(dc, lbl1, RECT{scale(15), scale(10), client.right - scale(10), scale(kPopupHeaderHeight)},
               DT_SINGLELINE | DT_END_ELLIPSIS);
  }
  if (IsTemperatureItem(FMonitor)) {
    if (FServices.hardware != nullptr) PaintTemperatures(dc);
  } else if (FMonitor != miNone && FServices.software) {
    PaintRows(dc);
    const int panel = scale(ChartPanelHeight(FMonitor));
    PaintChartPanel(dc, {0, client.bottom - panel, client.right, client.bottom});
  }
  PaintFrame(dc);
  GdiFlush();
  BitBlt(paint.Get(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

void TfrmMonitorPopup::PaintRows(HDC dc) {
  const TDpiScale scale = Scale();
  const TThemeColours& colours = Theme().colours;
  TSelectObject selected(dc, labelFont_.Get());
  for (int i = 0; i < lst1.RowCount(); ++i) {
    const TRow& row = rows_[static_cast<size_t>(i)];
    const Rect line = lst1.RowRect(i);
    const bool hot = i == lst1.HotRow();
    if (hot) FillColour(dc, ToRECT(line), colours.popupHotRow);
    const int iconTop = line.top + (line.bottom - line.top - scale(kButtonSize)) / 2;
    if (row.icon != nullptr) {
      row.icon->Draw(dc, RECT{line.left + scale(15), iconTop, line.left + scale(15 + kButtonSize),
                              iconTop + scale(kButtonSize)});
    }
    const Rect name = lst1.CellRect(i, 0);
    SetTextColor(dc, ToColorRef(colours.darkText));
    DrawTextAt(dc, row.caption,
               RECT{name.left + scale(15 + kButtonSize + 8), name.top, name.right, name.bottom},
               DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    const Rect value = lst1.CellRect(i, 1);
    SetTextColor(dc, ToColorRef(colours.popupSecondaryText));
    DrawTextAt(dc, row.value, ToRECT(value), DT_SINGLELINE | DT_VCENTER);
    if (hot && row.item) {
      const auto state = static_cast<size_t>(lst1.ButtonState(i, cursor_));
      DrawImage(endProcess_[state], dc, ToRECT(lst1.ButtonRect(i)));
    }
  }
}

void TfrmMonitorPopup::PaintTemperatures(HDC dc) {
  const TDpiScale scale = Scale();
  const TThemeColours& colours = Theme().colours;
  RECT client{};
  GetClientRect(Handle(), &client);
  const int panelTop = scale(kPopupHeaderHeight);
  const int width = client.right;
  TSelectObject selected(dc, labelFont_.Get());
  SetTextColor(dc, ToColorRef(colours.darkText));
  for (size_t i = 0; i < temps_.size(); ++i) {
    const TPanelTemperatureRow& row = temps_[i];
    const int labelTop = panelTop + scale(row.top);
    std::wstring caption = captions_[NameLabel(row.item)];
    if (!row.zone.empty()) caption += L" " + Widen(row.zone);
    DrawTextAt(dc, caption, RECT{scale(20), labelTop, scale(20 + 105), labelTop + scale(20)},
               DT_SINGLELINE | DT_VCENTER);
    DrawTextAt(dc, Widen(FormatTemperature(row.celsius, TempScaleOf(FServices.settings->TempUnit))),
               RECT{width - scale(20 + 52), labelTop, width - scale(20), labelTop + scale(20)},
               DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    const int barTop = panelTop + scale(19 + 50 * static_cast<int>(i));
    FillColour(dc, RECT{scale(20), barTop, width - scale(20), barTop + scale(10)}, 0xFFEAEAEA);
    const int length = TemperatureBarLength(row.rounded, width - scale(40));
    FillColour(dc, RECT{scale(20), barTop, scale(20) + length, barTop + scale(10)},
               TemperatureBarColour(row.rounded));
  }
  for (const TRadioBox& box : units_) {
    const Rect& r = box.bounds;
    const int size = scale(Theme().metrics.radioSize);
    const int top = r.top + (r.bottom - r.top - size) / 2;
    SetDCPenColor(dc, ToColorRef(colours.radioRing));
    SetDCBrushColor(dc, ToColorRef(colours.popupBackground));
    TSelectObject pen(dc, GetStockObject(DC_PEN));
    TSelectObject brush(dc, GetStockObject(DC_BRUSH));
    Ellipse(dc, r.left, top, r.left + size, top + size);
    if (box.checked) {
      const int inset = scale(3);
      SetDCPenColor(dc, ToColorRef(colours.radioDot));
      SetDCBrushColor(dc, ToColorRef(colours.radioDot));
      Ellipse(dc, r.left + inset, top + inset, r.left + size - inset, top + size - inset);
    }
    DrawTextAt(dc, Widen(box.caption), RECT{r.left + size + scale(6), r.top, r.right, r.bottom},
               DT_SINGLELINE | DT_VCENTER);
  }
}

void TfrmMonitorPopup::PaintChartPanel(HDC dc, const Rect& panel) {
  const TDpiScale scale = Scale();
  DrawImage(panelLine_, dc, RECT{panel.left, panel.top, panel.right, panel.top + 1});
  {
    TSelectObject selected(dc, titleFont_.Get());
    SetTextColor(dc, ToColorRef(Theme().colours.darkText));
    DrawTextAt(dc, lbl2,
               RECT{panel.left + scale(15), panel.top + scale(10), panel.right, panel.top + scale(30)},
               DT_SINGLELINE);
  }
  if (FMonitor == miMemory) {
    PaintMemorySummary(dc, panel);
    return;
  }
  const Rect area{panel.left + scale(18), panel.top + scale(35), panel.right - scale(18),
                  panel.bottom - scale(20)};
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  if (!chartCanvas_ || chartCanvas_->Pixels().Width() != width || chartCanvas_->Pixels().Height() != height) {
    chartCanvas_ = std::make_unique<TDibCanvas>(width, height);
  }
  chartCanvas_->Pixels().Fill(0);
  if (chartBackground_) chartBackground_->Draw(chartCanvas_->DC(), RECT{0, 0, width, height});
  GdiFlush();
  const Rect local{0, 0, width, height};
  if (FMonitor == miRecv) FServices.software->TdiRecord().DrawRecvLineChart(*chartCanvas_, local);
  if (FMonitor == miSend) FServices.software->TdiRecord().DrawSendLineChart(*chartCanvas_, local);
  if (FMonitor == miCpu) FServices.software->CpuRecord().DrawLineChart(*chartCanvas_, local);
  GdiFlush();
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc, area.left, area.top, width, height, chartCanvas_->DC(), 0, 0, width, height, blend);
}

void TfrmMonitorPopup::PaintMemorySummary(HDC dc, const Rect& panel) {
  PERFORMANCE_INFORMATION info{};
  if (!GetPerformanceInfo(&info, sizeof info)) return;
  const TDpiScale scale = Scale();
  const uint64_t page = info.PageSize;
  const uint64_t total = static_cast<uint64_t>(info.PhysicalTotal) * page;
  const uint64_t available = static_cast<uint64_t>(info.PhysicalAvailable) * page;
  const uint64_t used = total - available;
  const int x = panel.left + scale(28);
  const int y = panel.top + scale(35);
  const struct {
    const char* key;
    const wchar_t* text;
    uint64_t bytes;
    uint32_t marker;
  } lines[] = {{"PhysicalTotal", L"Physical Total:", total, 0},
               {"PhysicalAvailable", L"Physical Available:", available, 0xFF4CC94Cu},
               {"PhysicalUsed", L"Physical Used:", used, 0xFFFFFC0Du}};
  TSelectObject selected(dc, font_.Get());
  SetTextColor(dc, ToColorRef(Theme().colours.darkText));
  for (int i = 0; i < 3; ++i) {
    const int top = y + scale(20 * i);
    // Language files lose a value's trailing space, so the space before the size is added here.
    const std::wstring text = FServices.langText("Translation", lines[i].key, lines[i].text) + L" " +
                              Widen(FormatByteSize(static_cast<int64_t>(lines[i].bytes)));
    DrawTextAt(dc, text, RECT{x, top, panel.right - scale(130), top + scale(14)}, DT_SINGLELINE | DT_LEFT);
    if (lines[i].marker != 0) {
      FillColour(dc, RECT{x - scale(10), top + scale(2), x - scale(2), top + scale(10)}, lines[i].marker);
    }
  }
  // The pie: the background, then the "used" layer clipped to the sector of the used share.
  const int size = scale(100);
  if (!pie_ || pie_->Width() != size) pie_ = TImage::Create(size, size);
  if (!pie_) return;
  const int angle = PieAngle(used, total);
  if (angle != pieAngle_ || !pieRegion_) {
    std::vector<POINT> points;
    for (const Point& p : PieSectorPolygon(angle, 0, 0)) points.push_back({scale(p.x), scale(p.y)});
    pieRegion_.Reset(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING));
    pieAngle_ = angle;
  }
  pie_->Pixels().Fill(0);
  DrawImage(pieBackground_, pie_->DC(), RECT{0, 0, size, size});
  SelectClipRgn(pie_->DC(), pieRegion_.Get());
  DrawImage(pieUsed_, pie_->DC(), RECT{0, 0, size, size});
  SelectClipRgn(pie_->DC(), nullptr);
  pie_->Draw(dc, RECT{panel.right - scale(120), panel.top + scale(10), panel.right - scale(20),
                      panel.top + scale(110)});
}

void TfrmMonitorPopup::PaintFrame(HDC dc) {
  const std::unique_ptr<TImage>& frame = frameTag_ == 0 ? frameBelow_ : frameAbove_;
  if (!frame) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  for (const TSlice& slice :
       NineSlices(frame->Width(), frame->Height(), {0, 0, client.right, client.bottom}, Scale())) {
    frame->DrawPart(dc, ToRECT(slice.source), ToRECT(slice.target));
  }
}

}  // namespace vsm
