#include "ui/RowList.h"

#include <cstddef>
#include <utility>

namespace vsm {

void TRowList::SetLayout(const Rect& bounds, int rowHeight, std::vector<int> columns, int buttonColumn,
                         int buttonSize) {
  bounds_ = bounds;
  rowHeight_ = rowHeight > 0 ? rowHeight : 1;
  columns_ = std::move(columns);
  buttonColumn_ = buttonColumn;
  buttonSize_ = buttonSize;
}

void TRowList::SetRowCount(int count) {
  rowCount_ = count;
  hotRow_ = -1;
  pressedRow_ = -1;
}

Rect TRowList::RowRect(int row) const {
  const int top = bounds_.top + row * rowHeight_;
  return {bounds_.left, top, bounds_.right, top + rowHeight_};
}

Rect TRowList::CellRect(int row, int column) const {
  Rect cell = RowRect(row);
  int left = bounds_.left;
  for (int i = 0; i < column && i < static_cast<int>(columns_.size()); ++i)
    left += columns_[static_cast<size_t>(i)];
  const int width = column < static_cast<int>(columns_.size()) ? columns_[static_cast<size_t>(column)] : 0;
  cell.left = left;
  cell.right = left + width;
  return cell;
}

Rect TRowList::ButtonRect(int row) const {
  const Rect cell = CellRect(row, buttonColumn_);
  const int top = cell.top + (rowHeight_ - buttonSize_) / 2 + 1;
  return {cell.left, top, cell.left + buttonSize_, top + buttonSize_};
}

int TRowList::RowAt(Point point) const {
  if (point.x < bounds_.left || point.x >= bounds_.right || point.y < bounds_.top ||
      point.y >= bounds_.bottom) {
    return -1;
  }
  const int row = (point.y - bounds_.top) / rowHeight_;
  return row < rowCount_ ? row : -1;
}

bool TRowList::InButton(int row, Point point) const {
  const Rect cell = CellRect(row, buttonColumn_);
  const int top = cell.top + (rowHeight_ - buttonSize_) / 2;
  return point.x >= cell.left && point.x < cell.left + buttonSize_ && point.y >= top &&
         point.y < top + buttonSize_;
}

TRowButtonState TRowList::ButtonState(int row, Point cursor) const {
  if (row == pressedRow_) return TRowButtonState::Pressed;
  const Rect image = ButtonRect(row);
  const bool inside =
      cursor.x >= image.left && cursor.x < image.right && cursor.y >= image.top && cursor.y < image.bottom;
  return inside ? TRowButtonState::Hot : TRowButtonState::Normal;
}

bool TRowList::MouseMove(Point point) {
  const int row = RowAt(point);
  const bool changed = row != hotRow_;
  hotRow_ = row;
  // The hovered row repaints on every move: its button follows the cursor in and out.
  return changed || row >= 0;
}

bool TRowList::MouseLeave() {
  const bool changed = hotRow_ != -1;
  hotRow_ = -1;
  return changed;
}

bool TRowList::MouseDown(Point point) {
  const int row = RowAt(point);
  const int before = pressedRow_;
  pressedRow_ = row >= 0 && row == hotRow_ && InButton(row, point) ? row : -1;
  return pressedRow_ != before;
}

int TRowList::MouseUp(Point point) {
  const int row = RowAt(point);
  if (row < 0 || row != pressedRow_) return -1;
  pressedRow_ = -1;
  return row;
}

}  // namespace vsm
