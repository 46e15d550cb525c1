#pragma once
// The process snapshot: one item per running process, opening and reading only processes that are
// new to the caller.
#include <cstdint>
#include <vector>

#include "software/ProcessItem.h"

namespace vsm {

// Appends an item for every process in a fresh tool-help snapshot. With `known`, processes listed
// there are skipped and `known` becomes the identifiers of the whole snapshot.
void FillProcessList(TProcessList& list, std::vector<uint32_t>* known);

}  // namespace vsm
