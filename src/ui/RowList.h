#pragma once
// A list of owner-drawn rows of one height in columns, with a small button in one column of the
// row under the mouse (the process rows' end-process button). Layout, hit tests and the hot and
// pressed state are here; the window paints from them.
#include <vector>

#include "base/ArgbBitmap.h"

namespace vsm {

enum class TRowButtonState { Normal = 0, Hot = 1, Pressed = 2 };

class TRowList {
 public:
  // `bounds`: the list's area; rows from its top, `columns` widths from its left.
  void SetLayout(const Rect& bounds, int rowHeight, std::vector<int> columns, int buttonColumn,
                 int buttonSize);
  void SetRowCount(int count);
  int RowCount() const { return rowCount_; }

  Rect RowRect(int row) const;
  Rect CellRect(int row, int column) const;
  // The button image of a row: at the left of its column, centred in the row one pixel low.
  Rect ButtonRect(int row) const;
  // The row under the point, or -1.
  int RowAt(Point point) const;
  // The point presses the row's button: within the button's size from the column's left and from
  // the centred top.
  bool InButton(int row, Point point) const;

  int HotRow() const { return hotRow_; }
  int PressedRow() const { return pressedRow_; }
  // The button's state for painting: pressed when the row is the pressed one, hot when the
  // cursor is in its image.
  TRowButtonState ButtonState(int row, Point cursor) const;

  // Mouse events; each returns whether the list needs repainting. MouseUp returns the row whose
  // button was released on its own row (the action to run), else -1.
  bool MouseMove(Point point);
  bool MouseLeave();
  bool MouseDown(Point point);
  int MouseUp(Point point);

 private:
  Rect bounds_;
  int rowHeight_ = 1;
  std::vector<int> columns_;
  int buttonColumn_ = 0;
  int buttonSize_ = 0;
  int rowCount_ = 0;
  int hotRow_ = -1;
  int pressedRow_ = -1;
};

}  // namespace vsm
