#include "base/TickCount.h"

namespace vsm {

uint64_t WidenTickCount(std::atomic<uint64_t>& state, uint32_t now) {
  uint64_t old = state.load();
  for (;;) {
    const auto last = static_cast<uint32_t>(old);
    uint64_t wraps = old >> 32;
    // Modulo 2^32: a tick less than half the range behind the stored one is a late reader's,
    // which may still lie before the stored wrap.
    const uint32_t ahead = now - last;
    if (old != 0 && ahead >= 0x80000000u) return (now > last && wraps > 0 ? wraps - 1 : wraps) << 32 | now;
    if (old != 0 && now < last) ++wraps;
    const uint64_t next = wraps << 32 | now;
    if (next == old || state.compare_exchange_weak(old, next)) return next;
  }
}

}  // namespace vsm
