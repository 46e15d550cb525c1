#pragma once
// A list header's sort mark and how a click turns it: none becomes up, up becomes down, down
// becomes up.
namespace vsm {

enum class TSortMark { None, Up, Down };

inline TSortMark NextSortMark(TSortMark previous) {
  return previous == TSortMark::Up ? TSortMark::Down : TSortMark::Up;
}

}  // namespace vsm
