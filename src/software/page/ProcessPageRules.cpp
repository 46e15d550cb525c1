#include "software/page/ProcessPageRules.h"

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

int CompareProcessKey(const TProcessItem& a, const TProcessItem& b, int column) {
  switch (column) {
    case 0: return Compare(AsciiLower(a.ExeName), AsciiLower(b.ExeName));
    case 1: return Compare(std::trunc(static_cast<double>(a.CPUuse) - b.CPUuse), 0.0);
    case 2: return Compare(a.Memoryuse, b.Memoryuse);
    case 3: return Compare(a.byte_in, b.byte_in);
    case 4: return Compare(a.byte_out, b.byte_out);
    case 5: return Compare(a.RecvDataPerS, b.RecvDataPerS);
    case 6: return Compare(a.SendDataPerS, b.SendDataPerS);
    case 7: return Compare(AsciiLower(a.ExeUser), AsciiLower(b.ExeUser));
    default: return 0;
  }
}

bool ProcessRowVisible(const TProcessItem& item, bool showSystem, bool netOnly) {
  if (netOnly && item.byte_in == -1 && item.byte_out == -1) return false;
  return showSystem || !item.isSystem;
}

std::array<std::string, 4> SummaryPieces(const std::string& text) {
  // The last three "%d" places, the last one taking every "d" that follows it. A scan from the
  // end keeps this linear whatever a language file holds.
  const size_t third = text.rfind("%d");
  const size_t second = third == std::string::npos || third < 2 ? std::string::npos : text.rfind("%d", third - 2);
  const size_t first = second == std::string::npos || second < 2 ? std::string::npos : text.rfind("%d", second - 2);
  if (first == std::string::npos) return SummaryPieces(kTotalProcessDefault);
  const size_t rest = text.find_first_not_of('d', third + 2);
  return {text.substr(0, first), text.substr(first + 2, second - first - 2), text.substr(second + 2, third - second - 2),
          rest == std::string::npos ? std::string() : text.substr(rest)};
}

}  // namespace vsm
