#include "ui/ReportList_win.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/BufferedPaint_win.h"
#include "ui/ScrollBar_win.h"
#include "ui/Theme_win.h"

namespace vsm {

namespace {

const TWindowClassTraits kTraits{L"TVeskReportList", CS_DBLCLKS, IDC_ARROW, 0};
constexpr uint32_t kHeaderFill = 0xFFF5F5F5;
constexpr uint32_t kHotRowFill = 0xFFEAF4FB;
constexpr uint32_t kRowLine = 0xFFEFEFEF;
constexpr COLORREF kText = RGB(0x38, 0x38, 0x38);
// Where a column's text starts, in 96-dpi units from its left edge: headers and cells alike.
constexpr int kTextIndent = 4;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS;

void DrawSortMark(HDC dc, const RECT& cell, TSortMark mark) {
  if (mark == TSortMark::None) return;
  const int cx = cell.right - 10;
  const int cy = (cell.top + cell.bottom) / 2;
  POINT points[3];
  if (mark == TSortMark::Up) {
    points[0] = {cx - 4, cy + 2};
    points[1] = {cx + 4, cy + 2};
    points[2] = {cx, cy - 2};
  } else {
    points[0] = {cx - 4, cy - 2};
    points[1] = {cx + 4, cy - 2};
    points[2] = {cx, cy + 2};
  }
  TBrushHandle brush(CreateSolidBrush(RGB(0x8B, 0x8B, 0x8B)));
  TSelectObject selectedBrush(dc, brush.Get());
  TSelectObject pen(dc, GetStockObject(NULL_PEN));
  Polygon(dc, points, 3);
}

}  // namespace

TReportList::TReportList(HWND parent, int rowHeight, int buttonColumn, int buttonSize)
    : FRowHeight(rowHeight), FButtonColumn(buttonColumn), FButtonSize(buttonSize) {
  RECT r{};
  GetClientRect(parent, &r);
  CreateWindowFrom(kTraits, 0, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS, r, parent);
}

void TReportList::SetRowCount(int count) {
  FRowCount = count;
  FRows.SetRowCount(count);
}

void TReportList::Layout() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int rowHeight = Scale()(FRowHeight);
  const int content = FRowCount * rowHeight;
  FScroll = SetVerticalScroll(Handle(), content, static_cast<int>(client.bottom) - HeaderHeight(), FScroll);
  std::vector<int> widths;
  for (const auto& column : FColumns) widths.push_back(Scale()(column.width));
  const int top = HeaderHeight() - FScroll;
  FRows.SetLayout({0, top, client.right, top + content}, rowHeight, widths, FButtonColumn,
                  Scale()(FButtonSize));
}

void TReportList::Refresh() {
  Layout();
  InvalidateRect(Handle(), nullptr, FALSE);
}

RECT TReportList::CellRect(int row, int column) const {
  const Rect cell = FRows.CellRect(row, column);
  return {cell.left, cell.top, cell.right, cell.bottom};
}

RECT TReportList::ButtonRect(int row) const {
  const Rect button = FRows.ButtonRect(row);
  return {button.left, button.top, button.right, button.bottom};
}

TRowButtonState TReportList::ButtonState(int row) const {
  return FRows.ButtonState(row, {FCursor.x, FCursor.y});
}

int TReportList::ColumnAt(int x) const {
  int left = 0;
  for (size_t i = 0; i < FColumns.size(); ++i) {
    const int right = left + Scale()(FColumns[i].width);
    if (x >= left && x < right) return static_cast<int>(i);
    left = right;
  }
  return -1;
}

void TReportList::Scroll(int position) {
  FScroll = position;
  Layout();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TReportList::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  FillColour(dc, client, 0xFFFFFFFF);
  SetBkMode(dc, TRANSPARENT);
  const int header = HeaderHeight();
  const int rowHeight = Scale()(FRowHeight);
  const int first = std::max(0, FScroll / std::max(1, rowHeight));
  const int last =
      std::min(FRowCount, (FScroll + static_cast<int>(client.bottom)) / std::max(1, rowHeight) + 1);
  {
    // Rows are clipped below the header.
    TRegionHandle clip(CreateRectRgn(0, header, client.right, client.bottom));
    SelectClipRgn(dc, clip.Get());
    for (int row = first; row < last; ++row) {
      const Rect r = FRows.RowRect(row);
      RECT rect{r.left, r.top, r.right, r.bottom};
      if (row == FRows.HotRow()) FillColour(dc, rect, kHotRowFill);
      RECT line{rect.left, rect.bottom - 1, rect.right, rect.bottom};
      FillColour(dc, line, kRowLine);
      if (OnDrawRow) OnDrawRow(dc, row);
      PaintCellTexts(dc, row);
    }
    SelectClipRgn(dc, nullptr);
  }
  RECT headerRect{0, 0, client.right, header};
  FillColour(dc, headerRect, kHeaderFill);
  RECT headerLine{0, header - 1, client.right, header};
  FillColour(dc, headerLine, Theme().colours.border);
  TSelectObject font(dc, FFont);
  SetTextColor(dc, kText);
  int left = 0;
  for (const auto& column : FColumns) {
    RECT cell{left, 0, left + Scale()(column.width), header};
    // The caption gives way to the sort mark only in the column that shows one.
    const int markRoom = column.mark == TSortMark::None ? 1 : 16;
    RECT text{cell.left + Scale()(kTextIndent), 0, cell.right - Scale()(markRoom), header};
    DrawTextW(dc, column.caption.c_str(), static_cast<int>(column.caption.size()), &text, kTextFormat);
    DrawSortMark(dc, cell, column.mark);
    left = cell.right;
  }
}

void TReportList::PaintCellTexts(HDC dc, int row) {
  if (!OnCellText) return;
  TSelectObject font(dc, FFont);
  SetTextColor(dc, kText);
  for (size_t column = 0; column < FColumns.size(); ++column) {
    const std::wstring text = OnCellText(row, static_cast<int>(column));
    if (text.empty()) continue;
    RECT cell = CellRect(row, static_cast<int>(column));
    cell.left += Scale()(kTextIndent);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &cell, kTextFormat);
  }
}

LRESULT TReportList::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_PAINT: PaintBuffered(Handle(), [this](HDC dc) { Paint(dc); }); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Refresh(); return 0;
    case WM_VSCROLL: Scroll(VerticalScrollTarget(Handle(), wParam, Scale()(FRowHeight))); return 0;
    case WM_MOUSEWHEEL:
      Scroll(FScroll - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3 * Scale()(FRowHeight));
      return 0;
    case WM_MOUSEMOVE: {
      FCursor = point;
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
      TrackMouseEvent(&track);
      if (point.y >= HeaderHeight() && FRows.MouseMove({point.x, point.y}))
        InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    }
    case WM_MOUSELEAVE:
      FCursor = {-1, -1};
      if (FRows.MouseLeave()) InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(Handle());
      if (point.y < HeaderHeight()) {
        const int column = ColumnAt(point.x);
        if (column >= 0 && FColumns[static_cast<size_t>(column)].sortable) {
          const TSortMark previous = FColumns[static_cast<size_t>(column)].mark;
          for (auto& other : FColumns) other.mark = TSortMark::None;
          FColumns[static_cast<size_t>(column)].mark = NextSortMark(previous);
          if (OnHeadClick) OnHeadClick(column, previous);
          InvalidateRect(Handle(), nullptr, FALSE);
        }
        return 0;
      }
      FRows.MouseMove({point.x, point.y});
      if (FRows.MouseDown({point.x, point.y})) {
        SetCapture(Handle());
        InvalidateRect(Handle(), nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (GetCapture() == Handle()) ReleaseCapture();
      const int pressed = FRows.PressedRow();
      const int row = FRows.MouseUp({point.x, point.y});
      InvalidateRect(Handle(), nullptr, FALSE);
      if (row >= 0 && row == pressed && FRows.InButton(row, {point.x, point.y}) && OnRowButton) {
        POINT screen = point;
        ClientToScreen(Handle(), &screen);
        OnRowButton(row, screen);
      }
      return 0;
    }
    default: return TWindow::OnMessage(message, wParam, lParam);
  }
}

}  // namespace vsm
