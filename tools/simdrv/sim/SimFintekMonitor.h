#pragma once
// A Fintek F718xx hardware-monitor block: plain index/data registers.
#include "sim/SimMonitorBlock.h"

namespace vsm::sim {

class SimFintekMonitor : public SimMonitorBlock {
 public:
  using SimMonitorBlock::SimMonitorBlock;
  // Fan tachometer counts are big-endian words at 0xA0, 0xB0, 0xC0, 0xD0.
  void SetFanCount(int fan, uint16_t count);
};

}  // namespace vsm::sim
