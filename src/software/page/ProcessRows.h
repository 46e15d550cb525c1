#pragma once
// The process page's rows: a mirror of the engine's process list. A refresh adds a row for each
// new item, drops the rows whose item has left the list and copies every row's figures; the rows
// themselves stay. Rows are sorted, filtered and painted from those copies.
#include <array>
#include <unordered_set>
#include <vector>

#include "software/ProcessItem.h"
#include "software/page/ProcessPageRules.h"

namespace vsm {

struct TProcessCounts {
  int all = 0;
  int user = 0;
  int system = 0;
};

class TProcessRows {
 public:
  // Mirrors the list and copies the figures (call it under the engine's lock). Returns whether
  // rows came or went.
  bool Sync(const TProcessList& list);
  // Sorts by the first column with a mark; none: the order stays.
  void Sort(const std::array<TSortMark, kSortableColumns>& marks);
  void SortBy(int column, bool ascending);
  void ApplyFilter(bool showSystem, bool netOnly);
  TProcessCounts Counts() const;

  const std::vector<TProcessRow>& Rows() const { return FRows; }
  // The rows shown, in order (indices into Rows()).
  const std::vector<int>& Visible() const { return FVisible; }

 private:
  void CollectVisible();
  std::vector<TProcessRow> FRows;
  std::vector<int> FVisible;
  std::unordered_set<const TProcessItem*> FKnown;
  bool FShowSystem = false;
  bool FNetOnly = false;
};

}  // namespace vsm
