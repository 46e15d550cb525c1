#pragma once
// Stand-ins for the GPU vendors' libraries that answer every call with a prepared reply: a
// status and the bytes the call hands back. They check what the caller prepares (block sizes,
// version words, sensor and speed selectors) the way the real libraries reject a wrong request.
// The native tests use them directly; the Windows tests reach the same code through fake
// atiadlxx.dll and nvapi.dll files loaded by the real binding.
#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "hardware/graphics/AdlLibrary.h"
#include "hardware/graphics/NvApiLibrary.h"

namespace vsm::fake {

// Calls of the ADL stand-in (the NVAPI one is keyed by interface ID).
enum AdlCall : uint32_t {
  kAdlControlCreate = 1,
  kAdlNumberOfAdapters,
  kAdlAdapterInfo,
  kAdlAdapterId,
  kAdlMemoryInfo,
  kAdlActivity,
  kAdlFanSpeed,
  kAdlTemperature,
  kAdlDisplayInfo,
  kAdlDisplayMaps,
};

struct TReply {
  int status = 0;
  std::vector<uint8_t> bytes;
};

class TReplies {
 public:
  // key: the adapter index, handle or display ID the call is about (0 for calls without one).
  void Set(uint32_t call, uint64_t key, int status, std::vector<uint8_t> bytes = {});
  void Clear();
  // Counts the question; nothing when no reply was prepared.
  const TReply* Find(uint32_t call, uint64_t key);
  int Asked(uint32_t call) const;

 private:
  std::map<std::pair<uint32_t, uint64_t>, TReply> replies_;
  std::map<uint32_t, int> asked_;
};

// Copies a reply over an output block, never beyond either.
void CopyReply(const TReply& reply, void* out, size_t size);

class TFakeAdl final : public TAdlLibrary {
 public:
  TReplies replies;
  // Bytes the adapter records hold on return, as a wrapper that hands back less than was asked.
  std::optional<size_t> adapterInfoHeld;

  int NumberOfAdapters(int& count) override;
  int AdapterInfo(std::vector<uint8_t>& records) override;
  int AdapterId(int adapterIndex, int& id) override;
  int MemoryInfo(int adapterIndex, TVendorBlock<adl::kMemoryInfoSize>& info) override;
  int CurrentActivity(int adapterIndex, TVendorBlock<adl::kActivitySize>& activity) override;
  int FanSpeed(int adapterIndex, int thermalController, TVendorBlock<adl::kFanSpeedSize>& speed) override;
  int Temperature(int adapterIndex, int thermalController,
                  TVendorBlock<adl::kTemperatureSize>& temperature) override;
  int DisplayInfo(int adapterIndex, std::vector<uint8_t>& displays) override;
  int DisplayMaps(int adapterIndex, std::vector<uint8_t>& maps) override;
};

class TFakeNvApi final : public TNvApiLibrary {
 public:
  TReplies replies;
  // Bytes the display-ID entries hold on return, whatever count says.
  std::optional<size_t> displayIdsHeld;

  int EnumPhysicalGPUs(nvapi::TGpuHandles& gpus, uint32_t& count) override;
  int EnumNvidiaDisplayHandle(uint32_t index, TNvDisplayHandle& display) override;
  int GetPhysicalGPUsFromDisplay(TNvDisplayHandle display, nvapi::TGpuHandles& gpus,
                                 uint32_t& count) override;
  int GetFullName(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kFullNameLength>& name) override;
  int GetThermalSettings(TNvPhysicalGpuHandle gpu, uint32_t sensorIndex,
                         TVendorBlock<nvapi::kThermalSize>& settings) override;
  int GetMemoryInfo(TNvDisplayHandle display, TVendorBlock<nvapi::kMemoryInfoSize>& info) override;
  int GetAllClockFrequencies(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kClocksSize>& clocks) override;
  int GetDynamicPstatesInfoEx(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kPstatesSize>& pstates) override;
  int GetUsages(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kUsagesSize>& usages) override;
  int GetConnectedDisplayIds(TNvPhysicalGpuHandle gpu, std::vector<uint8_t>& entries, uint32_t& count,
                             uint32_t flags) override;
  int GetDeviceDisplayMode(uint32_t displayId, TVendorBlock<nvapi::kDisplayModeSize>& mode) override;
};

}  // namespace vsm::fake
