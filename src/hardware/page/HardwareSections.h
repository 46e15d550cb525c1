#pragma once
// The sections of the hardware page: their order in the side menu, their buttons' names and
// design captions, and the fill of each (the information page, and for the mainboard its live
// sensor groups after it).
#include <array>
#include <cstdint>
#include <string>

#include "hardware/page/BoardSensorRows.h"
#include "pages/InfoPages.h"
#include "pages/SectionCaption.h"

namespace vsm {

struct TSectionButton {
  THardwareSection section;
  const char* name;     // the button's name; its caption key is the name + ".caption"
  const char* caption;  // the design caption
};

// Overview, Processor, Mainboard, Memory, Graphic Card, Hard Drive, Sound Card, Network Adapter.
const std::array<TSectionButton, 8>& SectionButtons();

// Fills the tree with a section. Without the aggregator the tree stays as it was and the answer
// is false.
bool FillHardwareSection(TInfoTree& tree, THardwareSection section, const THardwareParts* hardware,
                         int64_t totalPhysicalMemory, const TPageTexts& texts,
                         const TBoardArrayReader& boardArrays);

}  // namespace vsm
