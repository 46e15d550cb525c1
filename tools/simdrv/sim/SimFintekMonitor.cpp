#include "sim/SimFintekMonitor.h"

namespace vsm::sim {

void SimFintekMonitor::SetFanCount(int fan, uint16_t count) {
  SetWord(static_cast<uint16_t>(0xA0 + 0x10 * fan), count);
}

}  // namespace vsm::sim
