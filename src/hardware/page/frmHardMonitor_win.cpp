#include "hardware/page/frmHardMonitor_win.h"

#include <commdlg.h>
#include <windowsx.h>

#include "base/ByteSize_win.h"
#include "base/Temperature.h"
#include "base/file_win.h"
#include "base/wide_win.h"
#include "hardware/uHardWare.h"
#include "pages/HardwareParts.h"
#include "pages/InfoReport.h"
#include "pages/PageTexts_win.h"
#include "services/Translation_win.h"
#include "ui/BufferedPaint_win.h"
#include "ui/Theme_win.h"

namespace vsm {

namespace {

const TWindowClassTraits kTraits{L"TfrmHardMonitor", 0, IDC_ARROW, 0};
constexpr UINT_PTR kLoadTimer = 1;  // tmrload
constexpr int kSaveTag = 1;
constexpr COLORREF kText = RGB(56, 56, 56);
constexpr int kButtonHeight = 34;

// The board's readings of one sensor group from the aggregator's snapshot; the group after the
// board's three holds the thermal zones.
constexpr int kZoneArray = 3;

TBoardArrayReader BoardArrays(THardware* hardware) {
  return [hardware](int index) {
    TSenorArray sensors;
    if (hardware && index == kZoneArray)
      hardware->GetAsynData(hcZoneTemp, 0, sensors);
    else if (hardware)
      hardware->GetAsynData(hcBoard, index, sensors);
    return sensors;
  };
}

int64_t TotalPhysicalMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  return GlobalMemoryStatusEx(&status) ? static_cast<int64_t>(status.ullTotalPhys) : 0;
}

}  // namespace

TfrmHardMonitor::TfrmHardMonitor(HWND parent, TWindowServices services) : FServices(std::move(services)) {
  RECT r{};
  GetClientRect(parent, &r);
  CreateWindowFrom(kTraits, WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPCHILDREN, r, parent);
  tvov = std::make_unique<TInfoTreeView>(Handle());
  ShowWindow(tvov->Handle(), SW_SHOW);
  tvov->OnAfterRowDraw = [this](TInfoRow& row) {
    const TTempScale scale = TempScaleOf(FServices.settings->TempUnit);
    return BoardSensorValueText(
        row.Tag, BoardArrays(FServices.hardware),
        [scale](double celsius) { return FormatTemperature(celsius, scale); }, UserDecimalSeparator());
  };
  tvov->OnRightClick = [this](POINT screen) {
    if (dpmn1.Popup(Handle(), screen.x, screen.y) == 0) SaveToFile();
  };
  int top = 10;
  for (const auto& button : SectionButtons()) {
    FSections.Buttons().push_back({static_cast<int>(button.section) + 1,
                                   TSkinButtonKind::Section,
                                   {0, top, kMenuWidth - 1, top + kButtonHeight},
                                   Widen(button.caption)});
    top += kButtonHeight;
  }
  FSections.Find(static_cast<int>(THardwareSection::Overview) + 1)->selected = true;
  Localize();
}

TfrmHardMonitor::~TfrmHardMonitor() { FormClose(); }

std::wstring TfrmHardMonitor::ButtonCaption(THardwareSection section) {
  return FSections.Find(static_cast<int>(section) + 1)->caption;
}

void TfrmHardMonitor::Localize() {
  const LOGFONTW lang = LangLogFont();
  FFont = CreateRoleFont(Theme().fonts.label, Scale(), lang.lfFaceName, lang.lfCharSet);
  FBold = CreateRoleFont({"Tahoma", -14, true}, Scale(), lang.lfFaceName, lang.lfCharSet);
  tvov->SetFont(FFont.Get());
  for (const auto& button : SectionButtons()) {
    FSections.Find(static_cast<int>(button.section) + 1)->caption =
        FServices.langText("Translation", std::string(button.name) + ".caption", Widen(button.caption));
  }
  dpmn1.Clear();
  dpmn1.SetFont(LangLogFont());
  dpmn1.Add({FServices.langText("Translation", "frmHardMonitor.save", L"Save to file"), kSaveTag});
  ShowSection(FShowTag);
  Layout();
}

void TfrmHardMonitor::ShowSection(THardwareSection section) {
  if (!FServices.hardware) return;
  const THardwareParts parts = HardwareParts(*FServices.hardware);
  const TPageTexts texts = ProgramPageTexts();
  if (!FillHardwareSection(tvov->Tree(), section, &parts, TotalPhysicalMemory(), texts,
                           BoardArrays(FServices.hardware)))
    return;
  lblCation = Widen(SectionCaption(section, parts, texts));
  FShowTag = section;
  for (auto& button : FSections.Buttons()) button.selected = button.id == static_cast<int>(section) + 1;
  tvov->Rebuild();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmHardMonitor::Layout() {
  // The window's creation already sends WM_SIZE, before the tree exists.
  if (!tvov) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  const int left = Scale()(kMenuWidth);
  const int top = Scale()(kCaptionHeight);
  SetWindowPos(tvov->Handle(), nullptr, left + Scale()(8), top + Scale()(4),
               std::max(0L, client.right - left - Scale()(8)), std::max(0L, client.bottom - top - Scale()(4)),
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmHardMonitor::Show() {
  ShowWindow(Handle(), SW_SHOW);
  SetTimer(Handle(), kLoadTimer, 1000, nullptr);
  FTimerOn = true;
  tvov->Repaint();
}

void TfrmHardMonitor::FormClose() {
  if (FTimerOn) KillTimer(Handle(), kLoadTimer);
  FTimerOn = false;
  ShowWindow(Handle(), SW_HIDE);
}

void TfrmHardMonitor::img1AfterDrawPaint(HDC dc, const RECT& box) const {
  if (FShowTag == THardwareSection::Overview) return;
  // The section's icon: its number on the program's blue.
  FillColour(dc, box, Theme().colours.accent);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT text = box;
  const std::wstring mark = std::to_wstring(static_cast<int>(FShowTag));
  DrawTextW(dc, mark.c_str(), static_cast<int>(mark.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
}

void TfrmHardMonitor::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  FillColour(dc, client, 0xFFFFFFFF);
  SetBkMode(dc, TRANSPARENT);
  const int menuRight = Scale()(kMenuWidth);
  // The menu panel's line along its right edge, the caption panel's along its bottom.
  RECT menuLine{menuRight - 1, 0, menuRight, client.bottom};
  FillColour(dc, menuLine, 0xFFEFEFEF);
  const int captionBottom = Scale()(kCaptionHeight);
  RECT captionLine{menuRight, captionBottom - 1, client.right, captionBottom};
  FillColour(dc, captionLine, 0xFF000000 | GetSysColor(COLOR_BTNSHADOW));
  FSections.Paint(dc, Scale(), FFont.Get(), kText, nullptr);
  RECT icon{menuRight + Scale()(12), Scale()(10), menuRight + Scale()(40), Scale()(38)};
  img1AfterDrawPaint(dc, icon);
  TSelectObject bold(dc, FBold.Get());
  SetTextColor(dc, kText);
  RECT caption{menuRight + Scale()(48), 0, client.right - Scale()(8), captionBottom};
  DrawTextW(dc, lblCation.c_str(), static_cast<int>(lblCation.size()), &caption,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void TfrmHardMonitor::SaveToFile() {
  wchar_t file[MAX_PATH] = {};
  lstrcpynW(file, ButtonCaption(FShowTag).c_str(), MAX_PATH);
  static const wchar_t kFilter[] = L"csv\0*.csv\0all\0*.*\0";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetAncestor(Handle(), GA_ROOT);
  dialog.lpstrFilter = kFilter;
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrDefExt = L"csv";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) return;
  if (!WriteFileReplacing(file, InfoReportBytes(Narrow(lblCation), tvov->Tree()))) {
    // A report that cannot be written says so; the file it would have replaced stays as it was.
    FServices.messageBox(
        dialog.hwndOwner, FServices.langText("Translation", "Information", L"Information"),
        FServices.langText("Message", "SaveFileError", L"The file could not be written.") + L"\n" + file,
        TMessageIcon::Information, TMessageButtons::Ok);
  }
}

LRESULT TfrmHardMonitor::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: PaintBuffered(Handle(), [this](HDC dc) { Paint(dc); }); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Layout(); return 0;
    case WM_TIMER:
      if (wParam == kLoadTimer && IsWindowVisible(tvov->Handle())) tvov->Repaint();
      return 0;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
      const int id = FSections.HandleMouse(Handle(), Scale(), message, lParam);
      if (id != 0) ShowSection(static_cast<THardwareSection>(id - 1));
      return 0;
    }
    default: break;
  }
  return TWindow::OnMessage(message, wParam, lParam);
}

}  // namespace vsm
