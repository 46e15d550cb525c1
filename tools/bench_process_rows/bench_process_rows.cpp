// Times the process page's refresh step over a list of 300 processes: the mirror of the engine's
// list (one process leaves and one arrives per refresh, the rest stay), the re-sort by the marked
// column and the filter. Prints the median and the worst refresh in microseconds, and how many
// rows were kept as they were.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "software/page/ProcessRows.h"

namespace {

vsm::TProcessItemRef MakeItem(uint32_t id) {
  auto item = std::make_shared<vsm::TProcessItem>();
  item->ProcessID = id;
  item->ExeName = "process" + std::to_string(id * 7919 % 1000) + ".exe";
  item->ExeUser = id % 3 ? "user" : "SYSTEM";
  item->isSystem = id % 3 == 0;
  item->CPUuse = static_cast<float>(id * 37 % 100) / 3.0f;
  item->Memoryuse = id * 4096;
  return item;
}

}  // namespace

int main(int argc, char** argv) {
  const int processes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
  const int refreshes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2000;
  vsm::TProcessList list;
  uint32_t next = 4;
  for (int i = 0; i < processes; ++i, next += 4) list.Add(MakeItem(next));
  vsm::TProcessRows rows;
  rows.ApplyFilter(false, false);
  rows.Sync(list);
  std::array<vsm::TSortMark, vsm::kSortableColumns> marks{};
  marks[1] = vsm::TSortMark::Up;  // CPU, busiest first

  std::vector<double> micros;
  size_t kept = 0;
  for (int r = 0; r < refreshes; ++r) {
    list.Delete(r % list.Count());
    list.Add(MakeItem(next += 4));
    for (const auto& item : list.Items())
      item->CPUuse = static_cast<float>((item->ProcessID + r) * 37 % 100) / 3.0f;
    const auto start = std::chrono::steady_clock::now();
    rows.Sync(list);
    rows.Sort(marks);
    const auto end = std::chrono::steady_clock::now();
    micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    // Every row but the one whose process left stays the same object.
    kept += static_cast<size_t>(
        std::count_if(rows.Rows().begin(), rows.Rows().end(),
                      [&](const vsm::TProcessRow& row) { return row.item->ProcessID != next; }));
  }
  std::sort(micros.begin(), micros.end());
  std::printf("process rows: %d processes, %d refreshes (one process leaves, one arrives each)\n", processes,
              refreshes);
  // Old C runtimes have no %zu.
  std::printf("refresh median %.1f us, worst %.1f us; rows kept per refresh %u of %d\n",
              micros[micros.size() / 2], micros.back(),
              static_cast<unsigned>(kept / static_cast<size_t>(refreshes)), processes);
  return 0;
}
