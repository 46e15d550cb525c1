#pragma once
// The rules of the process page that are not drawing: the header's sort marks, the sort order of
// the rows, which rows the two check boxes show, and the summary line's pieces.
#include <array>
#include <string>
#include <vector>

#include "software/ProcessItem.h"
#include "ui/SortMark.h"

namespace vsm {

// The click arrives with the previous mark: up sorts ascending, none or down descending, so the
// first click sorts descending and each further click reverses.
bool SortAscendingAfterClick(TSortMark previous);
// A refresh keeps the order of the last click: the mark up sorts descending, down ascending.
bool SortAscendingForMark(TSortMark current);

inline constexpr int kSortableColumns = 8;  // columns 0 to 7

// The figures of an item that the engine's worker rewrites every sample, copied while the page
// holds the engine's lock: sorting and painting then read values that stay put (and 64-bit
// totals that are never half written).
struct TProcessFigures {
  float CPUuse = 0;
  uint64_t Memoryuse = 0;
  int64_t byte_in = -1;
  int64_t byte_out = -1;
  int32_t RecvDataPerS = -1;
  int32_t SendDataPerS = -1;
  bool isDisableNet = false;
};
// Call with the engine's lock held.
TProcessFigures FiguresOf(const TProcessItem& item);

// One row of the page: its item (whose id, names, user and kind never change) and the item's
// figures as of the last refresh.
struct TProcessRow {
  TProcessItemRef item;  // keeps the item valid while the row or its menu uses it
  TProcessFigures figures;
  bool visible = true;
};

// Orders two rows by a column's key: < 0, 0 or > 0. CPU shares less than one percentage point
// apart count as equal; unknown traffic (-1) is lowest; names and users ignore case.
int CompareProcessKey(const TProcessRow& a, const TProcessRow& b, int column);
// Sorts rows by a column; equal keys go by process id, ascending in both directions.
// Merge-based, so the CPU rule, which is not transitive, never makes it read out of range.
void SortProcessRows(std::vector<TProcessRow>& rows, int column, bool ascending);

// Whether a row is shown: "Display Net Process Only" hides items without any traffic count; else
// system processes show only with "Display System Process".
bool ProcessRowVisible(const TProcessRow& row, bool showSystem, bool netOnly);

inline constexpr const char* kTotalProcessDefault =
    "Find %d process, includes %d user process and %d system process.";
// The four pieces around the three numbers of the summary text; a text without three "%d" places
// gives the pieces of the built-in English text.
std::array<std::string, 4> SummaryPieces(const std::string& text);

}  // namespace vsm
