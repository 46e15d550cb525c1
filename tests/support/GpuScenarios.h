#pragma once
// Vendor-library replies for whole cards, prepared on the stand-ins and shared by the tests that
// need a card to work with.
#include "FakeGpuLibraries.h"

namespace vsm::fake {

// One NVIDIA GPU (handle 0x1000) named "GeForce GTX 560" with 1 GB, clocks and a temperature of
// 54 °C, driving display handle 0x2000 and two displays, the first at 2560 × 1440, 32 bits, 144 Hz.
void PrepareNvidiaGpuWithDisplay(TFakeNvApi& nv);

}  // namespace vsm::fake
