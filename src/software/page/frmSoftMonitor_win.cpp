#include "software/page/frmSoftMonitor_win.h"

#include <shellapi.h>
#include <windowsx.h>

#include "base/ByteSize_win.h"
#include "base/DecimalText.h"
#include "base/handle_win.h"
#include "base/wide_win.h"
#include "pages/InfoPages.h"
#include "pages/PageTexts_win.h"
#include "platform/RedirectedPath_win.h"
#include "services/Translation_win.h"
#include "software/ProcessKill_win.h"
#include "software/Software_win.h"
#include "software/SystemProcessQuery_win.h"
#include "ui/BufferedPaint_win.h"
#include "ui/ImageIds.h"
#include "ui/Theme_win.h"

namespace vsm {

namespace {

const TWindowClassTraits kTraits{L"TfrmSoftMonitor", 0, IDC_ARROW, 0};
constexpr UINT_PTR kLoadTimer = 1;  // tmrload
constexpr int kTopHeight = 36;
constexpr int kIconLeft = 8;
constexpr int kIconSize = 32;
constexpr int kMenuButtonSize = 24;
constexpr COLORREF kText = RGB(56, 56, 56);
constexpr COLORREF kDescText = RGB(139, 139, 139);
constexpr COLORREF kNumber = RGB(228, 113, 0);

struct TColumnDefault {
  const char* key;
  const wchar_t* caption;
  int width;
};
// Column 0 takes what the others leave.
constexpr TColumnDefault kColumns[] = {{"processName", L"Process Name", 0},
                                       {"CPU", L"CPU", 70},
                                       {"Memory", L"Memory", 70},
                                       {"Recv", L"Recv Count", 70},
                                       {"Send", L"Send Count", 70},
                                       {"RecvS", L"Recv/s", 70},
                                       {"SendS", L"Send/s", 70},
                                       {"User", L"User", 70},
                                       {nullptr, L"", 40}};
constexpr int kFixedWidth = 550;

std::wstring TrafficText(int64_t bytes) { return bytes < 0 ? L"-" : Widen(FormatByteSize(bytes)); }
std::wstring RateText(int32_t bytes) { return bytes == -1 ? L"-" : Widen(FormatByteSize(bytes)) + L"/s"; }

std::wstring CellText(const TProcessRow& row, int column) {
  const TProcessFigures& figures = row.figures;
  switch (column) {
    case 1: return Widen(FormatDecimal(figures.CPUuse, 1, UserDecimalSeparator()) + "%");
    case 2: return Widen(FormatByteSize(static_cast<int64_t>(figures.Memoryuse)));
    case 3: return TrafficText(figures.byte_in);
    case 4: return TrafficText(figures.byte_out);
    case 5: return RateText(figures.RecvDataPerS);
    case 6: return RateText(figures.SendDataPerS);
    case 7: return Widen(row.item->ExeUser);
    default: return {};
  }
}

int TextWidth(HDC dc, HFONT font, const std::wstring& text) {
  TSelectObject selected(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

// The shell's properties sheet of a file. A 32-bit process on 64-bit Windows would be shown the
// 32-bit system folder's copy, so a file there is named by its Sysnative path; the redirection
// stays on, as the shell extensions loaded for the sheet need their own 32-bit libraries.
void ShowFileProperties(HWND owner, const std::wstring& exePath) {
  const std::wstring path = NativeFilePath(exePath);
  const size_t separator = path.find_last_of(L"\\/");
  const std::wstring folder = path.substr(0, separator == std::wstring::npos ? 0 : separator);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.hwnd = owner;
  info.lpVerb = L"properties";
  info.lpFile = path.c_str();
  info.lpDirectory = folder.c_str();
  info.nShow = SW_SHOW;
  ShellExecuteExW(&info);
}

// Whether the engine still lists the item. An item whose process has gone may share its id with a
// new process, which a menu opened before must never end.
bool StillListed(TSoftware* software, const TProcessItem* item) {
  if (!software) return false;
  TProcessList& list = software->ProcessList();
  bool found = false;
  for (const auto& entry : list.Items()) found = found || entry.get() == item;
  software->ReleaseProcessList();
  return found;
}

}  // namespace

TfrmSoftMonitor::TfrmSoftMonitor(HWND parent, TWindowServices services) : FServices(std::move(services)) {
  RECT r{};
  GetClientRect(parent, &r);
  CreateWindowFrom(kTraits, WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPCHILDREN, r, parent);
  lvProcess = std::make_unique<TReportList>(Handle(), kRowHeight, kMenuColumn, kMenuButtonSize);
  lvProcess->OnCellText = [this](int row, int column) {
    const auto& visible = FRows.Visible();
    if (row < 0 || static_cast<size_t>(row) >= visible.size()) return std::wstring();
    return CellText(FRows.Rows()[static_cast<size_t>(visible[static_cast<size_t>(row)])], column);
  };
  lvProcess->OnDrawRow = [this](HDC dc, int row) { lvProcessAfterItemDraw(dc, row); };
  lvProcess->OnHeadClick = [this](int column, TSortMark previous) {
    FRows.SortBy(column, SortAscendingAfterClick(previous));
    lvProcess->Refresh();
  };
  lvProcess->OnRowButton = [this](int row, POINT screen) { OpenRowMenu(row, screen); };
  tvov = std::make_unique<TInfoTreeView>(Handle());
  FGenericIcon = TImage::FromPngResource(IDP_GENERIC_PROGRAM);
  auto& checks = FChecks.Buttons();
  checks.push_back({kCkSys, TSkinButtonKind::CheckBox, {}, L"Display System Process"});
  checks.push_back({kCkNet, TSkinButtonKind::CheckBox, {}, L"Display Net Process Only"});
  BuildColumns();
  lvProcess->Columns().front().mark = TSortMark::Down;  // by name, A to Z
  Localize();
}

TfrmSoftMonitor::~TfrmSoftMonitor() { FormClose(); }

void TfrmSoftMonitor::BuildColumns() {
  auto& columns = lvProcess->Columns();
  const bool first = columns.empty();
  if (first) columns.resize(std::size(kColumns));
  for (size_t i = 0; i < std::size(kColumns); ++i) {
    columns[i].caption = kColumns[i].key != nullptr
                             ? FServices.langText("Translation", kColumns[i].key, kColumns[i].caption)
                             : std::wstring();
    if (first) {
      columns[i].width = kColumns[i].width;
      columns[i].sortable = i < kSortableColumns;
    }
  }
}

void TfrmSoftMonitor::BuildMenu() {
  dpmn1.Clear();
  dpmn1.SetFont(LangLogFont());
  dpmn1.Add({FServices.langText("Translation", "frmSoftMonitor.ppKillProc", L"End Process"), kKill});
  dpmn1.Add({FServices.langText("Translation", "frmSoftMonitor.ppNet1", L"Block Network Access"), kNet});
  dpmn1.Add({FServices.langText("Translation", "frmSoftMonitor.ppDetails", L"Detailed Info..."), kDetails});
}

void TfrmSoftMonitor::Localize() {
  const LOGFONTW lang = LangLogFont();
  FFont = CreateRoleFont(Theme().fonts.label, Scale(), lang.lfFaceName, lang.lfCharSet);
  FBold = CreateRoleFont(Theme().fonts.title, Scale(), lang.lfFaceName, lang.lfCharSet);
  lvProcess->SetFont(FFont.Get(), FBold.Get());
  tvov->SetFont(FFont.Get());
  FChecks.Find(kCkSys)->caption =
      FServices.langText("Translation", "ShowSysProcess", L"Display System Process");
  FChecks.Find(kCkNet)->caption =
      FServices.langText("Translation", "ShowNetOnly", L"Display Net Process Only");
  if (FServices.software && FShowTag == 3)
    FillOperatingSystemPage(tvov->Tree(), FServices.software->OS(), ProgramPageTexts());
  tvov->Rebuild();
  BuildColumns();
  BuildMenu();
  Layout();
}

void TfrmSoftMonitor::Layout() {
  // The window's creation already sends WM_SIZE, before the children and check boxes exist.
  if (!lvProcess || !tvov || FChecks.Find(kCkNet) == nullptr) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  // ckSys is as wide as its text plus 30; ckNet stands 40 pixels to its right; both at the right.
  TWindowDC screen(nullptr);
  const int sysWidth =
      TextWidth(screen.Get(), FFont.Get(), FChecks.Find(kCkSys)->caption) * 96 / Scale().dpi + 30;
  const int netWidth =
      TextWidth(screen.Get(), FFont.Get(), FChecks.Find(kCkNet)->caption) * 96 / Scale().dpi + 30;
  const int width = client.right * 96 / Scale().dpi;
  const int sysLeft = width - 10 - netWidth - 40 - sysWidth;
  FChecks.Find(kCkSys)->bounds = {sysLeft, 8, sysLeft + sysWidth, 30};
  FChecks.Find(kCkNet)->bounds = {sysLeft + sysWidth + 40, 8, sysLeft + sysWidth + 40 + netWidth, 30};
  const int top = Scale()(kTopHeight);
  SetWindowPos(lvProcess->Handle(), nullptr, 0, top, client.right, std::max(0L, client.bottom - top),
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(tvov->Handle(), nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  lvProcess->Columns().front().width = std::max(120, width - kFixedWidth);
  lvProcess->Refresh();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmSoftMonitor::ShowTag(int tag) {
  FShowTag = tag;
  ShowWindow(lvProcess->Handle(), tag == 1 ? SW_SHOW : SW_HIDE);
  if (tag == 3) {
    if (FServices.software)
      FillOperatingSystemPage(tvov->Tree(), FServices.software->OS(), ProgramPageTexts());
    tvov->Rebuild();
    ShowWindow(tvov->Handle(), SW_SHOW);
  } else {
    ShowWindow(tvov->Handle(), SW_HIDE);
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TfrmSoftMonitor::Show() {
  ShowWindow(Handle(), SW_SHOW);
  FInited = true;
  if (FServices.software) FServices.software->UpdateMemory = true;
  SetTimer(Handle(), kLoadTimer, 1000, nullptr);
  FTimerOn = true;
  RefreshProcessList();
}

void TfrmSoftMonitor::FormClose() {
  if (FServices.software) FServices.software->UpdateMemory = false;
  if (FTimerOn) KillTimer(Handle(), kLoadTimer);
  FTimerOn = false;
  ShowWindow(Handle(), SW_HIDE);
}

std::array<TSortMark, kSortableColumns> TfrmSoftMonitor::Marks() {
  std::array<TSortMark, kSortableColumns> marks{};
  for (size_t i = 0; i < marks.size(); ++i) marks[i] = lvProcess->Columns()[i].mark;
  return marks;
}

void TfrmSoftMonitor::RefreshProcessList() {
  if (!FServices.software) return;
  SendMessageW(lvProcess->Handle(), WM_SETREDRAW, FALSE, 0);
  FRows.Sync(FServices.software->ProcessList());
  FServices.software->ReleaseProcessList();
  FRows.Sort(Marks());
  lvProcess->SetRowCount(static_cast<int>(FRows.Visible().size()));
  SendMessageW(lvProcess->Handle(), WM_SETREDRAW, TRUE, 0);
  lvProcess->Refresh();
  RECT top{0, 0, 10000, Scale()(kTopHeight)};
  InvalidateRect(Handle(), &top, FALSE);
}

TImage* TfrmSoftMonitor::IconOf(const TProcessItem& item) {
  if (item.ExePath.empty()) return FGenericIcon.get();
  auto found = il1.find(item.ExePath);
  if (found == il1.end()) {
    std::unique_ptr<TImage> image;
    HICON icon = ExtractIconW(GetModuleHandleW(nullptr), Widen(item.ExePath).c_str(), 0);
    // 1 means "not an executable file": nothing to free.
    const TIconHandle owned(icon != reinterpret_cast<HICON>(1) ? icon : nullptr);
    if (owned) image = TImage::FromIcon(owned.Get(), Scale()(kIconSize));
    found = il1.emplace(item.ExePath, std::move(image)).first;
  }
  return found->second ? found->second.get() : FGenericIcon.get();
}

void TfrmSoftMonitor::lvProcessAfterItemDraw(HDC dc, int row) {
  const auto& visible = FRows.Visible();
  if (row < 0 || static_cast<size_t>(row) >= visible.size()) return;
  const TProcessRow& shown = FRows.Rows()[static_cast<size_t>(visible[static_cast<size_t>(row)])];
  const TProcessItem& item = *shown.item;
  const RECT nameCell = lvProcess->CellRect(row, 0);
  const int iconSize = Scale()(kIconSize);
  const int iconTop = (nameCell.top + nameCell.bottom - iconSize) / 2;
  const RECT iconRect{nameCell.left + Scale()(kIconLeft), iconTop,
                      nameCell.left + Scale()(kIconLeft) + iconSize, iconTop + iconSize};
  if (TImage* icon = IconOf(item)) icon->Draw(dc, iconRect);
  if (shown.figures.isDisableNet) {
    // The blocked-network mark over the icon's lower right corner.
    const int mark = Scale()(16);
    RECT markRect{iconRect.right - mark, iconRect.bottom - mark, iconRect.right, iconRect.bottom};
    TBrushHandle red(CreateSolidBrush(RGB(0xE8, 0x11, 0x23)));
    TSelectObject brush(dc, red.Get());
    TPenHandle white(CreatePen(PS_SOLID, Scale()(2), RGB(255, 255, 255)));
    TSelectObject pen(dc, white.Get());
    Ellipse(dc, markRect.left, markRect.top, markRect.right, markRect.bottom);
    MoveToEx(dc, markRect.left + Scale()(4), markRect.top + Scale()(4), nullptr);
    LineTo(dc, markRect.right - Scale()(4), markRect.bottom - Scale()(4));
  }
  // Name over description, centred together in the row, ending 60 pixels before the column's end.
  const std::wstring name = Widen(item.ExeName);
  const std::wstring desc = Widen(item.Desc);
  TEXTMETRICW metrics{};
  {
    TSelectObject bold(dc, FBold.Get());
    GetTextMetricsW(dc, &metrics);
  }
  const int lineHeight = metrics.tmHeight;
  const int block = lineHeight * 2 + Scale()(2);
  const int top = (nameCell.top + nameCell.bottom - block) / 2;
  RECT nameRect{nameCell.left + Scale()(47), top, nameCell.right - Scale()(60), top + lineHeight};
  {
    TSelectObject bold(dc, FBold.Get());
    SetTextColor(dc, kText);
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &nameRect,
              DT_SINGLELINE | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  TSelectObject regular(dc, FFont.Get());
  RECT descRect{nameRect.left, nameRect.bottom + Scale()(2), nameRect.right,
                nameRect.bottom + Scale()(2) + lineHeight};
  SetTextColor(dc, kDescText);
  DrawTextW(dc, desc.c_str(), static_cast<int>(desc.size()), &descRect,
            DT_SINGLELINE | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
  SetTextColor(dc, kText);
  // The row's menu button: pressed, hot, or plain on the row under the mouse.
  const TRowButtonState state = lvProcess->ButtonState(row);
  if (row == lvProcess->HotRow() || state == TRowButtonState::Pressed) {
    const RECT button = lvProcess->ButtonRect(row);
    if (state != TRowButtonState::Normal) {
      FillColour(dc, button, state == TRowButtonState::Pressed ? 0xFFBFDDF2 : 0xFFD6EAF8);
    }
    TBrushHandle dots(CreateSolidBrush(kText));
    TSelectObject brush(dc, dots.Get());
    TSelectObject pen(dc, GetStockObject(NULL_PEN));
    const int cy = (button.top + button.bottom) / 2;
    for (int i = -1; i <= 1; ++i) {
      const int cx = (button.left + button.right) / 2 + i * Scale()(6);
      Ellipse(dc, cx - Scale()(2), cy - Scale()(2), cx + Scale()(3), cy + Scale()(3));
    }
  }
}

void TfrmSoftMonitor::dpmn1BeforPopup(const TProcessRow& row) {
  auto& items = dpmn1.Items();
  items[kDetails].enabled = !row.item->ExePath.empty();
  items[kNet].caption =
      row.figures.isDisableNet
          ? FServices.langText("Translation", "frmSoftMonitor.ppNet2", L"Allow Network Access")
          : FServices.langText("Translation", "frmSoftMonitor.ppNet1", L"Block Network Access");
  items[kNet].enabled = FServices.software && FServices.software->CanBlockNet();
}

void TfrmSoftMonitor::OpenRowMenu(int row, POINT screen) {
  const auto& visible = FRows.Visible();
  if (row < 0 || static_cast<size_t>(row) >= visible.size()) return;
  // The menu's subject stays alive while the menu is open, even if its process ends.
  const TProcessRow subject = FRows.Rows()[static_cast<size_t>(visible[static_cast<size_t>(row)])];
  dpmn1BeforPopup(subject);
  const int chosen = dpmn1.Popup(Handle(), screen.x, screen.y);
  if (chosen >= 0) ProcessMenuClick(dpmn1.Items()[static_cast<size_t>(chosen)].tag, subject);
}

void TfrmSoftMonitor::ProcessMenuClick(int index, const TProcessRow& subject) {
  const TProcessItemRef& item = subject.item;
  switch (index) {
    case kKill: {
      // An item the engine no longer lists has ended already; its id may be someone else's now.
      if (!StillListed(FServices.software, item.get())) return;
      if (KillProcessItem(item.get())) {
        Sleep(100);
      } else {
        HWND owner = GetAncestor(Handle(), GA_ROOT);
        FServices.messageBox(
            owner, FServices.langText("Translation", "Information", L"Information"),
            FServices.langText("Message", "KillProcessError",
                               L"End of the process error possible cause is insufficient permissions"),
            TMessageIcon::Information, TMessageButtons::Ok);
      }
      break;
    }
    case kNet:
      if (!FServices.software || !StillListed(FServices.software, item.get()) ||
          !IsSameProcessRunning(IdentityOf(*item)))
        return;
      if (subject.figures.isDisableNet) {
        FServices.software->EnableNet(item.get());
      } else {
        FServices.software->DisableNet(item.get());
      }
      break;
    case kDetails:
      if (!item->ExePath.empty()) ShowFileProperties(Handle(), Widen(item->ExePath));
      break;
    default: break;
  }
}

void TfrmSoftMonitor::ckSysAfterChange() {
  FRows.ApplyFilter(FChecks.Find(kCkSys)->selected, FChecks.Find(kCkNet)->selected);
  lvProcess->SetRowCount(static_cast<int>(FRows.Visible().size()));
  lvProcess->Refresh();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmSoftMonitor::imghintAfterDrawPaint(HDC dc, const RECT& area) {
  const auto pieces =
      SummaryPieces(Narrow(FServices.langText("Translation", "TotalProcess", Widen(kTotalProcessDefault))));
  const TProcessCounts counts = FRows.Counts();
  const int numbers[3] = {counts.all, counts.user, counts.system};
  int x = area.left;
  const int gap = Scale()(3);
  const int space = TextWidth(dc, FBold.Get(), L" ");
  for (size_t i = 0; i < pieces.size(); ++i) {
    const std::wstring piece = Widen(pieces[i]);
    {
      TSelectObject font(dc, FFont.Get());
      SetTextColor(dc, kText);
      RECT r{x, area.top, area.right, area.bottom};
      DrawTextW(dc, piece.c_str(), static_cast<int>(piece.size()), &r,
                DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    }
    x += TextWidth(dc, FFont.Get(), piece) + gap;
    if (i == 3) break;
    const std::wstring number = std::to_wstring(numbers[i]);
    TSelectObject font(dc, FBold.Get());
    SetTextColor(dc, kNumber);
    RECT r{x, area.top, area.right, area.bottom};
    DrawTextW(dc, number.c_str(), static_cast<int>(number.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    x += TextWidth(dc, FBold.Get(), number) + space + gap;
  }
}

void TfrmSoftMonitor::PaintTop(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  FillColour(dc, client, 0xFFFFFFFF);
  SetBkMode(dc, TRANSPARENT);
  if (FShowTag != 1) return;
  const RECT sys = ScaleRect(FChecks.Find(kCkSys)->bounds, Scale());
  imghintAfterDrawPaint(dc, {Scale()(10), Scale()(8), sys.left - Scale()(10), Scale()(30)});
  FChecks.Paint(dc, Scale(), FFont.Get(), kText, nullptr);
}

LRESULT TfrmSoftMonitor::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: PaintBuffered(Handle(), [this](HDC dc) { PaintTop(dc); }); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Layout(); return 0;
    case WM_TIMER:
      if (wParam == kLoadTimer && FServices.software && IsWindowVisible(lvProcess->Handle()))
        RefreshProcessList();
      return 0;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
      const int id = FChecks.HandleMouse(Handle(), Scale(), message, lParam);
      if (id != 0 && FShowTag == 1) {
        TSkinButton* check = FChecks.Find(id);
        check->selected = !check->selected;
        ckSysAfterChange();
      }
      return 0;
    }
    default: break;
  }
  return TWindow::OnMessage(message, wParam, lParam);
}

}  // namespace vsm
