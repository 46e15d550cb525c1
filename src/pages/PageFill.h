#pragma once
// The start every fill shares: the page's drawing style, one update of the tree, a cleared tree,
// the row height. The update ends when the object goes, on every way out of the fill.
#include "ui/InfoTree.h"

namespace vsm {

inline constexpr int kInfoRowHeight = 20;
inline constexpr int kTallInfoRowHeight = 30;  // overview and operating-system pages
inline constexpr int kInfoValueColumn = 330;
inline constexpr int kOverviewValueColumn = 180;

class TPageFill {
 public:
  TPageFill(TInfoTree& tree, int rowHeight, const TValueStyle& style) : FUpdate(tree) {
    tree.Clear();
    tree.SetRowHeight(rowHeight);
    tree.SetValueStyle(style);
  }

 private:
  TInfoTreeUpdate FUpdate;
};

}  // namespace vsm
