#include "ui/RadioBox.h"

namespace vsm {

int RadioBoxAt(const std::vector<TRadioBox>& group, Point point) {
  for (size_t i = 0; i < group.size(); ++i) {
    const Rect& r = group[i].bounds;
    if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom)
      return static_cast<int>(i);
  }
  return -1;
}

bool CheckRadioBox(std::vector<TRadioBox>& group, int index) {
  if (index < 0 || index >= static_cast<int>(group.size()) || group[static_cast<size_t>(index)].checked)
    return false;
  for (size_t i = 0; i < group.size(); ++i) group[i].checked = static_cast<int>(i) == index;
  return true;
}

}  // namespace vsm
