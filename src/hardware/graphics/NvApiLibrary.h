#pragma once
// NVIDIA's NVAPI as the graphics cards use it: the interfaces obtained from nvapi_QueryInterface,
// with their versioned result blocks as bytes laid out as NVIDIA's published structures. The
// Windows binding forwards to the library; tests answer with prepared blocks.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "hardware/graphics/VendorBlock.h"

namespace vsm {

// NVAPI's opaque handles; 0 means none.
using TNvPhysicalGpuHandle = uintptr_t;
using TNvDisplayHandle = uintptr_t;

namespace nvapi {

constexpr int kOk = 0;
// What a call answers when the library has no such interface (NVAPI_NO_IMPLEMENTATION).
constexpr int kMissing = -3;

constexpr size_t kMaxPhysicalGpus = 64;
using TGpuHandles = std::array<TNvPhysicalGpuHandle, kMaxPhysicalGpus>;

// Interface IDs for nvapi_QueryInterface.
constexpr uint32_t kInitialize = 0x0150E828;
constexpr uint32_t kEnumPhysicalGPUs = 0xE5AC921F;
constexpr uint32_t kEnumNvidiaDisplayHandle = 0x9ABDD40D;
constexpr uint32_t kGetPhysicalGPUsFromDisplay = 0x34EF9506;
constexpr uint32_t kGetFullName = 0xCEEE8E9F;
constexpr uint32_t kGetThermalSettings = 0xE3640A56;
constexpr uint32_t kGetMemoryInfo = 0x774AA982;
constexpr uint32_t kGetAllClockFrequencies = 0xDCB616C3;
constexpr uint32_t kGetDynamicPstatesInfoEx = 0x60DED2ED;
constexpr uint32_t kGetUsages = 0x189A1FDF;
constexpr uint32_t kGetConnectedDisplayIds = 0x0078DBA2;
constexpr uint32_t kGetDeviceDisplayMode = 0xD2277E3A;

// A versioned block starts with its version word: the block size and the version in the high
// half.
constexpr uint32_t VersionOf(size_t size, uint32_t version) {
  return static_cast<uint32_t>(size) | version << 16;
}

constexpr size_t kFullNameLength = 1024;

// NV_GPU_THERMAL_SETTINGS v1: version, count, sensor[3] {controller, defaultMinTemp,
// defaultMaxTemp, currentTemp, target}.
constexpr size_t kThermalSize = 68;
constexpr uint32_t kThermalVersion = VersionOf(kThermalSize, 1);
constexpr size_t kThermalCountOffset = 4;
constexpr uint32_t kThermalSensorCount = 3;
constexpr uint32_t kThermalTargetAll = 15;
constexpr size_t kThermalCurrentTempOffset = 20;

// NV_DISPLAY_DRIVER_MEMORY_INFO v2: version, dedicatedVideoMemory (KB), ...
constexpr size_t kMemoryInfoSize = 24;
constexpr uint32_t kMemoryInfoVersion = VersionOf(kMemoryInfoSize, 2);
constexpr size_t kDedicatedMemoryOffset = 4;

// NV_GPU_CLOCK_FREQUENCIES v2: version, clock type, domain[32] {present flag, frequency (kHz)}.
constexpr size_t kClocksSize = 264;
constexpr uint32_t kClocksVersion = VersionOf(kClocksSize, 2);
constexpr size_t kClockTypeOffset = 4;
constexpr uint32_t kClockTypeBase = 1;
constexpr size_t kGraphicsClockOffset = 12;
constexpr size_t kMemoryClockOffset = 44;

// NV_GPU_DYNAMIC_PSTATES_INFO_EX: version, flags, utilization[] {present flag, percentage}; the
// GPU domain comes first. The block is sized for the published eight domains, while the version
// word names the 48-byte layout this program asks for.
constexpr size_t kPstatesSize = 72;
constexpr uint32_t kPstatesVersion = VersionOf(48, 1);
constexpr size_t kGpuUtilizationPresentOffset = 8;
constexpr size_t kGpuUtilizationOffset = 12;

// The usage block: version, then usage words; the GPU usage is the third.
constexpr size_t kUsagesSize = 136;
constexpr uint32_t kUsagesVersion = VersionOf(kUsagesSize, 1);
constexpr size_t kGpuUsageOffset = 12;

// NV_GPU_DISPLAYIDS: version, connectorType, displayId, flag bits.
constexpr size_t kDisplayIdsSize = 16;
constexpr uint32_t kDisplayIdsVersion = VersionOf(kDisplayIdsSize, 1);
constexpr size_t kMaxDisplayIds = 32;
constexpr size_t kConnectorTypeOffset = 4;
constexpr size_t kDisplayIdOffset = 8;
constexpr uint32_t kDisplayIdsFlags = 0x0FFFFFFF;

// The display mode block: version, width, height, colour depth, refresh rate, ...
constexpr size_t kDisplayModeSize = 28;
constexpr uint32_t kDisplayModeVersion = VersionOf(kDisplayModeSize, 1);
constexpr size_t kModeWidthOffset = 4;
constexpr size_t kModeHeightOffset = 8;
constexpr size_t kModeColourDepthOffset = 12;
constexpr size_t kModeRefreshRateOffset = 16;

}  // namespace nvapi

// Every call answers NVAPI's status: 0 on success.
class TNvApiLibrary {
 public:
  virtual ~TNvApiLibrary() = default;

  virtual int EnumPhysicalGPUs(nvapi::TGpuHandles& gpus, uint32_t& count) = 0;
  virtual int EnumNvidiaDisplayHandle(uint32_t index, TNvDisplayHandle& display) = 0;
  virtual int GetPhysicalGPUsFromDisplay(TNvDisplayHandle display, nvapi::TGpuHandles& gpus,
                                         uint32_t& count) = 0;
  virtual int GetFullName(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kFullNameLength>& name) = 0;
  virtual int GetThermalSettings(TNvPhysicalGpuHandle gpu, uint32_t sensorIndex,
                                 TVendorBlock<nvapi::kThermalSize>& settings) = 0;
  virtual int GetMemoryInfo(TNvDisplayHandle display, TVendorBlock<nvapi::kMemoryInfoSize>& info) = 0;
  virtual int GetAllClockFrequencies(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kClocksSize>& clocks) = 0;
  virtual int GetDynamicPstatesInfoEx(TNvPhysicalGpuHandle gpu,
                                      TVendorBlock<nvapi::kPstatesSize>& pstates) = 0;
  virtual int GetUsages(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kUsagesSize>& usages) = 0;
  // entries holds count records of kDisplayIdsSize bytes; count is the capacity on the way in
  // and the number of connected displays on the way out.
  virtual int GetConnectedDisplayIds(TNvPhysicalGpuHandle gpu, std::vector<uint8_t>& entries, uint32_t& count,
                                     uint32_t flags) = 0;
  virtual int GetDeviceDisplayMode(uint32_t displayId, TVendorBlock<nvapi::kDisplayModeSize>& mode) = 0;
};

}  // namespace vsm
