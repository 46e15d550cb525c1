#pragma once
// The caption line of each section of the hardware page, which is also the first line of its
// saved report.
#include <string>

#include "pages/InfoPages.h"

namespace vsm {

// The sections by their tag.
enum class THardwareSection {
  Overview = 0,
  Processor = 1,
  Board = 2,
  Memory = 3,
  Graphics = 4,
  Disk = 5,
  Network = 6,
  Sound = 7
};

std::string SectionCaption(THardwareSection section, const THardwareParts& hardware, const TPageTexts& texts);

}  // namespace vsm
