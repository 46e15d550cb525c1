#pragma once
// The process snapshot: one item per running process, opening and reading only processes that are
// new to the caller.
#include <cstdint>
#include <vector>

#include "software/ProcessItem.h"
#include "software/SystemProcessRecords.h"

namespace vsm {

// Appends an item for every process in a fresh tool-help snapshot. With `known`, processes listed
// there (by id and start time) are skipped and `known` becomes the whole snapshot. `records`,
// the system's process records sorted by id, give each process its start time and the first
// CPU-time baseline; without them the start time stays unknown and the baseline comes from the
// process handle.
void FillProcessList(TProcessList& list, std::vector<TProcessIdentity>* known,
                     const std::vector<TProcessTimes>& records = {});

}  // namespace vsm
