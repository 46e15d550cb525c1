#include "GpuScenarios.h"

#include "GpuBlocks.h"

namespace vsm::fake {

using namespace gpublocks;

void PrepareNvidiaGpuWithDisplay(TFakeNvApi& nv) {
  nv.replies.Set(nvapi::kEnumPhysicalGPUs, 0, 0, Words({0x1000}));
  nv.replies.Set(nvapi::kEnumNvidiaDisplayHandle, 0, 0, Words({0x2000}));
  nv.replies.Set(nvapi::kGetPhysicalGPUsFromDisplay, 0x2000, 0, Words({0x1000}));
  nv.replies.Set(nvapi::kGetFullName, 0x1000, 0, Ansi("GeForce GTX 560"));
  nv.replies.Set(nvapi::kGetMemoryInfo, 0x2000, 0, NvMemoryInfo(1048576));
  nv.replies.Set(nvapi::kGetAllClockFrequencies, 0x1000, 0, NvClocks(810500, 4010000));
  nv.replies.Set(nvapi::kGetThermalSettings, 0x1000, 0, NvThermal(54));
  nv.replies.Set(nvapi::kGetConnectedDisplayIds, 0x1000, 0,
                 Join({NvDisplayId(0x1, 0x80061086), NvDisplayId(0x5, 0x80061087)}));
  nv.replies.Set(nvapi::kGetDeviceDisplayMode, 0x80061086, 0, NvDisplayMode(2560, 1440, 32, 144));
}

}  // namespace vsm::fake
