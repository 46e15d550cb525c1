#pragma once
// An owner-drawn list in report style: a header of columns with sort marks, rows of one height
// whose cell texts the owner supplies and whose other marks it draws, a vertical scroll bar, and a small
// button in one column of the row under the mouse (TRowList keeps its hot and pressed state). Painting is
// double-buffered, so a refresh once a second does not flicker.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Gdi_win.h"
#include "ui/RowList.h"
#include "ui/SortMark.h"
#include "ui/Window_win.h"

namespace vsm {

struct TReportColumn {
  std::wstring caption;
  int width = 70;  // 96-dpi units
  bool sortable = true;
  TSortMark mark = TSortMark::None;
};

class TReportList final : public TWindow {
 public:
  TReportList(HWND parent, int rowHeight, int buttonColumn, int buttonSize);

  std::vector<TReportColumn>& Columns() { return FColumns; }
  void SetFont(HFONT font, HFONT bold) {
    FFont = font;
    FBold = bold;
  }
  void SetRowCount(int count);
  int RowCount() const { return FRowCount; }
  // Re-lays the columns and the scroll range and repaints.
  void Refresh();
  // The cell of a row in client pixels, scrolled.
  RECT CellRect(int row, int column) const;
  int HotRow() const { return FRows.HotRow(); }
  TRowButtonState ButtonState(int row) const;
  RECT ButtonRect(int row) const;

  // A cell's text, drawn by the list in the column's font and indent; empty for a cell the owner
  // draws itself.
  std::function<std::wstring(int row, int column)> OnCellText;
  // Draws what a row shows besides its cell texts; the list has painted its background.
  std::function<void(HDC dc, int row)> OnDrawRow;
  // A header click on a sortable column, with the column's mark before the click; the list has
  // turned the marks already.
  std::function<void(int column, TSortMark previous)> OnHeadClick;
  // The row's button was pressed and released on the same row; `screen` is the cursor.
  std::function<void(int row, POINT screen)> OnRowButton;

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc);
  void PaintCellTexts(HDC dc, int row);
  void Layout();
  int HeaderHeight() const { return Scale()(24); }
  void Scroll(int position);
  int ColumnAt(int x) const;

  int FRowHeight;
  int FButtonColumn;
  int FButtonSize;
  int FRowCount = 0;
  int FScroll = 0;  // pixels
  POINT FCursor{-1, -1};
  std::vector<TReportColumn> FColumns;
  TRowList FRows;
  HFONT FFont = nullptr;
  HFONT FBold = nullptr;
};

}  // namespace vsm
