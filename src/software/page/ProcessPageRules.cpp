#include "software/page/ProcessPageRules.h"

#include <algorithm>
#include <cmath>

#include "base/text.h"

namespace vsm {

namespace {

template <class T>
int Compare(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

bool SortAscendingAfterClick(TSortMark previous) { return previous == TSortMark::Up; }

bool SortAscendingForMark(TSortMark current) { return current == TSortMark::Down; }

TProcessFigures FiguresOf(const TProcessItem& item) {
  return {item.CPUuse,       item.Memoryuse,    item.byte_in,     item.byte_out,
          item.RecvDataPerS, item.SendDataPerS, item.isDisableNet};
}

int CompareProcessKey(const TProcessRow& a, const TProcessRow& b, int column) {
  const TProcessFigures& x = a.figures;
  const TProcessFigures& y = b.figures;
  switch (column) {
    case 0: return Compare(AsciiLower(a.item->ExeName), AsciiLower(b.item->ExeName));
    case 1: return Compare(std::trunc(static_cast<double>(x.CPUuse) - y.CPUuse), 0.0);
    case 2: return Compare(x.Memoryuse, y.Memoryuse);
    case 3: return Compare(x.byte_in, y.byte_in);
    case 4: return Compare(x.byte_out, y.byte_out);
    case 5: return Compare(x.RecvDataPerS, y.RecvDataPerS);
    case 6: return Compare(x.SendDataPerS, y.SendDataPerS);
    case 7: return Compare(AsciiLower(a.item->ExeUser), AsciiLower(b.item->ExeUser));
    default: return 0;
  }
}

void SortProcessRows(std::vector<TProcessRow>& rows, int column, bool ascending) {
  std::stable_sort(rows.begin(), rows.end(), [column, ascending](const TProcessRow& x, const TProcessRow& y) {
    const int order = CompareProcessKey(x, y, column);
    if (order != 0) return ascending ? order < 0 : order > 0;
    return x.item->ProcessID < y.item->ProcessID;
  });
}

bool ProcessRowVisible(const TProcessRow& row, bool showSystem, bool netOnly) {
  if (netOnly && row.figures.byte_in == -1 && row.figures.byte_out == -1) return false;
  return showSystem || !row.item->isSystem;
}

std::array<std::string, 4> SummaryPieces(const std::string& text) {
  // The last three "%d" places, the last one taking every "d" that follows it. A scan from the
  // end keeps this linear whatever a language file holds.
  const size_t third = text.rfind("%d");
  const size_t second =
      third == std::string::npos || third < 2 ? std::string::npos : text.rfind("%d", third - 2);
  const size_t first =
      second == std::string::npos || second < 2 ? std::string::npos : text.rfind("%d", second - 2);
  if (first == std::string::npos) return SummaryPieces(kTotalProcessDefault);
  const size_t rest = text.find_first_not_of('d', third + 2);
  return {text.substr(0, first), text.substr(first + 2, second - first - 2),
          text.substr(second + 2, third - second - 2),
          rest == std::string::npos ? std::string() : text.substr(rest)};
}

}  // namespace vsm
