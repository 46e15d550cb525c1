#pragma once
#include <algorithm>

namespace vsm {

template <class Row>
void SortProcessRows(std::vector<Row>& rows, int column, bool ascending) {
  std::stable_sort(rows.begin(), rows.end(), [column, ascending](const Row& x, const Row& y) {
    const int order = CompareProcessKey(*x.item, *y.item, column);
    if (order != 0) return ascending ? order < 0 : order > 0;
    return x.item->ProcessID < y.item->ProcessID;
  });
}

}  // namespace vsm
