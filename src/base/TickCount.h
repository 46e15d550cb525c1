#pragma once
// A millisecond tick count of 64 bits from a 32-bit one that wraps every 49.7 days.
#include <atomic>
#include <cstdint>

namespace vsm {

// `state` holds the wraps seen so far (high half) and the last tick stored (low half); it starts
// at 0 and is shared by every thread. A tick far below the stored one means the counter wrapped;
// one a little below it comes from a thread that read the clock just before another thread
// stored a later tick, and is not a wrap. Wraps are seen only if ticks are read at least once per
// 24.8 days.
uint64_t WidenTickCount(std::atomic<uint64_t>& state, uint32_t now);

}  // namespace vsm
