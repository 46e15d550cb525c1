#include "hardware/graphics/AdlLibrary_win.h"

#include <windows.h>

#include <cstdlib>
#include <mutex>

#include "base/library_win.h"

namespace vsm {

namespace {

// ADL's entry points use the C calling convention; its allocation callback is __stdcall.
using MallocCallback = void*(__stdcall*)(int size);
using ControlCreateFn = int (*)(MallocCallback callback, int connectedAdaptersOnly);
using NumberOfAdaptersFn = int (*)(int* count);
using AdapterInfoFn = int (*)(void* info, int inputSize);
using AdapterIdFn = int (*)(int adapterIndex, int* id);
using AdapterBlockFn = int (*)(int adapterIndex, void* block);
using ControllerBlockFn = int (*)(int adapterIndex, int thermalController, void* block);
using DisplayInfoFn = int (*)(int adapterIndex, int* count, void** displays, int forceDetect);
using DisplayMapFn = int (*)(int adapterIndex, int* mapCount, void** maps, int* targetCount, void** targets,
                             int options);

// Arrays the library allocates through the callback and hands over, freed here.
void* __stdcall AllocateZeroed(int size) {
  return size > 0 ? std::calloc(static_cast<size_t>(size), 1) : nullptr;
}

// Display and map arrays beyond this many records are not believed.
constexpr int kMaxRecords = 1024;

void TakeArray(void* array, int count, size_t recordSize, std::vector<uint8_t>& out) {
  out.clear();
  if (array && count > 0 && count <= kMaxRecords) {
    const auto* first = static_cast<const uint8_t*>(array);
    out.assign(first, first + static_cast<size_t>(count) * recordSize);
  }
  std::free(array);
}

class WindowsAdl final : public TAdlLibrary {
 public:
  explicit WindowsAdl(HMODULE module)
      : numberOfAdapters_(BindFunction<NumberOfAdaptersFn>(module, "ADL_Adapter_NumberOfAdapters_Get")),
        adapterInfo_(BindFunction<AdapterInfoFn>(module, "ADL_Adapter_AdapterInfo_Get")),
        adapterId_(BindFunction<AdapterIdFn>(module, "ADL_Adapter_ID_Get")),
        memoryInfo_(BindFunction<AdapterBlockFn>(module, "ADL_Adapter_MemoryInfo_Get")),
        activity_(BindFunction<AdapterBlockFn>(module, "ADL_Overdrive5_CurrentActivity_Get")),
        fanSpeed_(BindFunction<ControllerBlockFn>(module, "ADL_Overdrive5_FanSpeed_Get")),
        temperature_(BindFunction<ControllerBlockFn>(module, "ADL_Overdrive5_Temperature_Get")),
        displayInfo_(BindFunction<DisplayInfoFn>(module, "ADL_Display_DisplayInfo_Get")),
        displayMap_(BindFunction<DisplayMapFn>(module, "ADL_Display_DisplayMapConfig_Get")) {}

  int NumberOfAdapters(int& count) override {
    std::lock_guard lock(mutex_);
    return numberOfAdapters_ ? numberOfAdapters_(&count) : adl::kMissing;
  }
  int AdapterInfo(std::vector<uint8_t>& records) override {
    std::lock_guard lock(mutex_);
    if (!adapterInfo_ || records.empty()) return adl::kMissing;
    return adapterInfo_(records.data(), static_cast<int>(records.size()));
  }
  int AdapterId(int adapterIndex, int& id) override {
    std::lock_guard lock(mutex_);
    return adapterId_ ? adapterId_(adapterIndex, &id) : adl::kMissing;
  }
  int MemoryInfo(int adapterIndex, TVendorBlock<adl::kMemoryInfoSize>& info) override {
    std::lock_guard lock(mutex_);
    return memoryInfo_ ? memoryInfo_(adapterIndex, info.data()) : adl::kMissing;
  }
  int CurrentActivity(int adapterIndex, TVendorBlock<adl::kActivitySize>& activity) override {
    std::lock_guard lock(mutex_);
    return activity_ ? activity_(adapterIndex, activity.data()) : adl::kMissing;
  }
  int FanSpeed(int adapterIndex, int thermalController, TVendorBlock<adl::kFanSpeedSize>& speed) override {
    std::lock_guard lock(mutex_);
    return fanSpeed_ ? fanSpeed_(adapterIndex, thermalController, speed.data()) : adl::kMissing;
  }
  int Temperature(int adapterIndex, int thermalController,
                  TVendorBlock<adl::kTemperatureSize>& temperature) override {
    std::lock_guard lock(mutex_);
    return temperature_ ? temperature_(adapterIndex, thermalController, temperature.data()) : adl::kMissing;
  }
  int DisplayInfo(int adapterIndex, std::vector<uint8_t>& displays) override {
    std::lock_guard lock(mutex_);
    if (!displayInfo_) return adl::kMissing;
    int count = 0;
    void* array = nullptr;
    int result = displayInfo_(adapterIndex, &count, &array, 0);
    TakeArray(array, result == adl::kOk ? count : 0, adl::kDisplayInfoSize, displays);
    return result;
  }
  int DisplayMaps(int adapterIndex, std::vector<uint8_t>& maps) override {
    std::lock_guard lock(mutex_);
    if (!displayMap_) return adl::kMissing;
    int mapCount = 0, targetCount = 0;
    void* mapArray = nullptr;
    void* targetArray = nullptr;
    int result = displayMap_(adapterIndex, &mapCount, &mapArray, &targetCount, &targetArray, 0);
    TakeArray(mapArray, result == adl::kOk ? mapCount : 0, adl::kDisplayMapSize, maps);
    std::free(targetArray);
    return result;
  }

 private:
  std::mutex mutex_;
  NumberOfAdaptersFn numberOfAdapters_;
  AdapterInfoFn adapterInfo_;
  AdapterIdFn adapterId_;
  AdapterBlockFn memoryInfo_;
  AdapterBlockFn activity_;
  ControllerBlockFn fanSpeed_;
  ControllerBlockFn temperature_;
  DisplayInfoFn displayInfo_;
  DisplayMapFn displayMap_;
};

}  // namespace

std::unique_ptr<TAdlLibrary> BindAdlLibrary(const std::wstring& folder) {
  HMODULE module = LoadLibraryFromFolder(folder, L"atiadlxx.dll");
  if (!module) module = LoadLibraryFromFolder(folder, L"atiadlxy.dll");
  if (!module) return nullptr;
  auto create = BindFunction<ControlCreateFn>(module, "ADL_Main_Control_Create");
  // 1: enumerate connected adapters only.
  if (!create || create(AllocateZeroed, 1) != adl::kOk) return nullptr;
  return std::make_unique<WindowsAdl>(module);
}

}  // namespace vsm
