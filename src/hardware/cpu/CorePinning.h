#pragma once
// Running per-core work on each logical processor in turn by pinning the calling thread.
#include <cstdint>
#include <functional>

#include "hardware/cpu/CpuSeams.h"

namespace vsm {

// Calls work(i) for i = 0 .. cores - 1 while the calling thread is pinned to logical processor i
// (mask 1 << (i mod 32)); stops early when work answers false. The thread's previous affinity is
// restored at the end. Without an affinity seam the work runs unpinned.
void ForEachCorePinned(const AffinityFunction& setAffinity, int cores,
                       const std::function<bool(int core)>& work);

// Counts logical processors by pinning the thread to processors 0, 1, 2, ... until a mask is
// refused (at most 32, the width of a 32-bit process's mask); the previous affinity is restored.
// 0 when not even processor 0 can be chosen.
int CountLogicalProcessors(const AffinityFunction& setAffinity);

}  // namespace vsm
