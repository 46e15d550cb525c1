#pragma once
// Reading the engine's process list from a test, with the list lock taken and released.
#include <cstdint>
#include <vector>

#include "software/Software.h"

namespace vsm::test {

inline TProcessItemRef FindItem(const TProcessList& list, uint32_t id) {
  for (const TProcessItemRef& item : list.Items()) {
    if (item->ProcessID == id) return item;
  }
  return nullptr;
}

inline TProcessItemRef FindItem(TSoftware& engine, uint32_t id) {
  TProcessItemRef found = FindItem(engine.ProcessList(), id);
  engine.ReleaseProcessList();
  return found;
}

inline std::vector<uint32_t> ItemIds(TSoftware& engine) {
  std::vector<uint32_t> ids;
  for (const TProcessItemRef& item : engine.ProcessList().Items()) ids.push_back(item->ProcessID);
  engine.ReleaseProcessList();
  return ids;
}

}  // namespace vsm::test
