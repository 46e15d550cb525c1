#pragma once
// Radio boxes of one group: a round box and a caption; clicking an unchecked box checks it and
// unchecks the others.
#include <string>
#include <vector>

#include "base/ArgbBitmap.h"

namespace vsm {

struct TRadioBox {
  Rect bounds;  // box and caption
  std::string caption;
  bool checked = false;
};

// The box under the point, or -1.
int RadioBoxAt(const std::vector<TRadioBox>& group, Point point);
// Checks box `index` and unchecks the rest; false when it was checked already (nothing changes).
bool CheckRadioBox(std::vector<TRadioBox>& group, int index);

}  // namespace vsm
