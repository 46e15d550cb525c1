#include "software/page/ProcessRows.h"

#include <algorithm>

namespace vsm {

bool TProcessRows::Sync(const TProcessList& list) {
  std::unordered_set<const TProcessItem*> current;
  current.reserve(list.Items().size());
  bool changed = false;
  for (const auto& item : list.Items()) {
    if (!item) continue;
    current.insert(item.get());
    if (FKnown.insert(item.get()).second) {
      // A new row follows both check boxes, so a process that starts while "net only" is on does
      // not show without traffic.
      TProcessRow row{item, FiguresOf(*item)};
      row.visible = ProcessRowVisible(row, FShowSystem, FNetOnly);
      FRows.push_back(std::move(row));
      changed = true;
    }
  }
  // A row's item leaves the known set before its row goes: once freed, its address may come back
  // as a new item's.
  const auto gone = std::remove_if(FRows.begin(), FRows.end(), [this, &current](const TProcessRow& row) {
    if (current.count(row.item.get()) != 0) return false;
    FKnown.erase(row.item.get());
    return true;
  });
  if (gone != FRows.end()) {
    FRows.erase(gone, FRows.end());
    changed = true;
  }
  for (auto& row : FRows) row.figures = FiguresOf(*row.item);
  CollectVisible();
  return changed;
}

void TProcessRows::Sort(const std::array<TSortMark, kSortableColumns>& marks) {
  for (int column = 0; column < kSortableColumns; ++column) {
    if (marks[static_cast<size_t>(column)] == TSortMark::None) continue;
    SortBy(column, SortAscendingForMark(marks[static_cast<size_t>(column)]));
    return;
  }
}

void TProcessRows::SortBy(int column, bool ascending) {
  SortProcessRows(FRows, column, ascending);
  CollectVisible();
}

void TProcessRows::ApplyFilter(bool showSystem, bool netOnly) {
  FShowSystem = showSystem;
  FNetOnly = netOnly;
  for (auto& row : FRows) row.visible = ProcessRowVisible(row, showSystem, netOnly);
  CollectVisible();
}

TProcessCounts TProcessRows::Counts() const {
  TProcessCounts counts;
  counts.all = static_cast<int>(FRows.size());
  for (const auto& row : FRows) ++(row.item->isSystem ? counts.system : counts.user);
  return counts;
}

void TProcessRows::CollectVisible() {
  FVisible.clear();
  for (size_t i = 0; i < FRows.size(); ++i) {
    if (FRows[i].visible) FVisible.push_back(static_cast<int>(i));
  }
}

}  // namespace vsm
