#pragma once
// The pages' view of the hardware aggregator: its components, and its snapshot as the reading live
// rows fetch on every draw.
#include "hardware/uHardWare.h"
#include "pages/InfoPages.h"

namespace vsm {

// The view refers to the aggregator, which must outlive every page filled from it.
THardwareParts HardwareParts(THardware& hardware);

}  // namespace vsm
