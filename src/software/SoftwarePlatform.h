#pragma once
// What the software engine asks of the operating system: the seam between the sampling rules
// (Software.h) and the process, memory and CPU calls of the Windows shell
// (SoftwarePlatform_win.h). Tests script it.
#include <cstdint>
#include <vector>

#include "software/ProcessItem.h"

namespace vsm {

class SoftwarePlatform {
 public:
  virtual ~SoftwarePlatform() = default;
  // Memory load in percent, 0 on failure.
  virtual int MemoryLoad() = 0;
  // Total CPU load in percent since the previous call (0 for the first call or on failure).
  virtual int TotalCpuLoad() = 0;
  // Appends an item for every process in a fresh snapshot; with `known`, processes listed there
  // (the same id and start time) are skipped and `known` becomes the snapshot's processes. Called
  // once per sample, before the CPU shares of that sample are asked for.
  virtual void FillProcessList(TProcessList& list, std::vector<TProcessIdentity>* known) = 0;
  // CPU share of the process since its baseline, in percent; updates the baseline.
  virtual float ProcessCpuUsage(TProcessItem& item) = 0;
  virtual uint64_t ProcessPrivateBytes(uint32_t processId) = 0;
  // A steady clock in milliseconds: the measured length of each sampling period.
  virtual uint64_t NowMs() = 0;
  // Ends the process unless it is protected; true when it is gone.
  virtual bool KillProcessItem(TProcessItem& item) = 0;
};

}  // namespace vsm
