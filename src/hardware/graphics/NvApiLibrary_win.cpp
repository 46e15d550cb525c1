#include "hardware/graphics/NvApiLibrary_win.h"

#include <windows.h>

#include <cstdio>
#include <mutex>

#include "base/library_win.h"

namespace vsm {

namespace {

// NVAPI uses the C calling convention throughout.
using QueryInterfaceFn = void* (*)(unsigned int id);
using InitializeFn = int (*)();
using EnumPhysicalGpusFn = int (*)(void** gpus, unsigned int* count);
using EnumDisplayFn = int (*)(unsigned int index, void** display);
using GpusFromDisplayFn = int (*)(void* display, void** gpus, unsigned int* count);
using FullNameFn = int (*)(void* gpu, char* name);
using ThermalFn = int (*)(void* gpu, unsigned int sensorIndex, void* settings);
using HandleBlockFn = int (*)(void* handle, void* block);
using DisplayIdsFn = int (*)(void* gpu, void* entries, unsigned int* count, unsigned int flags);
using DisplayModeFn = int (*)(unsigned int displayId, void* mode);

void* AsHandle(uintptr_t handle) { return reinterpret_cast<void*>(handle); }

// Calls an interface that fills NVAPI's array of 64 GPU handles and its count.
template <typename Call>
int CollectHandles(Call&& call, nvapi::TGpuHandles& gpus, uint32_t& count) {
  void* raw[nvapi::kMaxPhysicalGpus] = {};
  unsigned int rawCount = 0;
  int result = call(raw, &rawCount);
  for (size_t i = 0; i < nvapi::kMaxPhysicalGpus; ++i) gpus[i] = reinterpret_cast<uintptr_t>(raw[i]);
  count = rawCount;
  return result;
}

class WindowsNvApi final : public TNvApiLibrary {
 public:
  template <typename Fn>
  static Fn Query(QueryInterfaceFn query, uint32_t id) {
    return reinterpret_cast<Fn>(query(id));
  }

  WindowsNvApi(QueryInterfaceFn query, EnumPhysicalGpusFn enumGpus, EnumDisplayFn enumDisplays)
      : enumGpus_(enumGpus), enumDisplays_(enumDisplays),
        gpusFromDisplay_(Query<GpusFromDisplayFn>(query, nvapi::kGetPhysicalGPUsFromDisplay)),
        fullName_(Query<FullNameFn>(query, nvapi::kGetFullName)),
        thermal_(Query<ThermalFn>(query, nvapi::kGetThermalSettings)),
        memoryInfo_(Query<HandleBlockFn>(query, nvapi::kGetMemoryInfo)),
        clocks_(Query<HandleBlockFn>(query, nvapi::kGetAllClockFrequencies)),
        pstates_(Query<HandleBlockFn>(query, nvapi::kGetDynamicPstatesInfoEx)),
        usages_(Query<HandleBlockFn>(query, nvapi::kGetUsages)),
        displayIds_(Query<DisplayIdsFn>(query, nvapi::kGetConnectedDisplayIds)),
        displayMode_(Query<DisplayModeFn>(query, nvapi::kGetDeviceDisplayMode)) {}

  int EnumPhysicalGPUs(nvapi::TGpuHandles& gpus, uint32_t& count) override {
    std::lock_guard lock(mutex_);
    return CollectHandles(enumGpus_, gpus, count);
  }
  int EnumNvidiaDisplayHandle(uint32_t index, TNvDisplayHandle& display) override {
    std::lock_guard lock(mutex_);
    void* raw = nullptr;
    int result = enumDisplays_(index, &raw);
    display = reinterpret_cast<uintptr_t>(raw);
    return result;
  }
  int GetPhysicalGPUsFromDisplay(TNvDisplayHandle display, nvapi::TGpuHandles& gpus,
                                 uint32_t& count) override {
    std::lock_guard lock(mutex_);
    if (!gpusFromDisplay_) return nvapi::kMissing;
    return CollectHandles(
        [&](void** raw, unsigned int* rawCount) {
          return gpusFromDisplay_(AsHandle(display), raw, rawCount);
        },
        gpus, count);
  }
  int GetFullName(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kFullNameLength>& name) override {
    std::lock_guard lock(mutex_);
    if (!fullName_) return nvapi::kMissing;
    int result = fullName_(AsHandle(gpu), static_cast<char*>(name.data()));
    name.bytes.back() = 0;
    return result;
  }
  int GetThermalSettings(TNvPhysicalGpuHandle gpu, uint32_t sensorIndex,
                         TVendorBlock<nvapi::kThermalSize>& settings) override {
    std::lock_guard lock(mutex_);
    return thermal_ ? thermal_(AsHandle(gpu), sensorIndex, settings.data()) : nvapi::kMissing;
  }
  int GetMemoryInfo(TNvDisplayHandle display, TVendorBlock<nvapi::kMemoryInfoSize>& info) override {
    return Call(memoryInfo_, display, info.data());
  }
  int GetAllClockFrequencies(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kClocksSize>& clocks) override {
    return Call(clocks_, gpu, clocks.data());
  }
  int GetDynamicPstatesInfoEx(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kPstatesSize>& pstates) override {
    return Call(pstates_, gpu, pstates.data());
  }
  int GetUsages(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kUsagesSize>& usages) override {
    return Call(usages_, gpu, usages.data());
  }
  int GetConnectedDisplayIds(TNvPhysicalGpuHandle gpu, std::vector<uint8_t>& entries, uint32_t& count,
                             uint32_t flags) override {
    std::lock_guard lock(mutex_);
    if (!displayIds_) return nvapi::kMissing;
    if (entries.size() < size_t{count} * nvapi::kDisplayIdsSize) return nvapi::kMissing;
    unsigned int rawCount = count;
    int result = displayIds_(AsHandle(gpu), entries.data(), &rawCount, flags);
    char line[64];
    std::snprintf(line, sizeof line, "NvAPI_GPU_GetConnectedDisplayIds result =%d\n", result);
    OutputDebugStringA(line);
    count = rawCount;
    return result;
  }
  int GetDeviceDisplayMode(uint32_t displayId, TVendorBlock<nvapi::kDisplayModeSize>& mode) override {
    std::lock_guard lock(mutex_);
    return displayMode_ ? displayMode_(displayId, mode.data()) : nvapi::kMissing;
  }

 private:
  int Call(HandleBlockFn fn, uintptr_t handle, void* block) {
    std::lock_guard lock(mutex_);
    return fn ? fn(AsHandle(handle), block) : nvapi::kMissing;
  }

  std::mutex mutex_;
  EnumPhysicalGpusFn enumGpus_;
  EnumDisplayFn enumDisplays_;
  GpusFromDisplayFn gpusFromDisplay_;
  FullNameFn fullName_;
  ThermalFn thermal_;
  HandleBlockFn memoryInfo_;
  HandleBlockFn clocks_;
  HandleBlockFn pstates_;
  HandleBlockFn usages_;
  DisplayIdsFn displayIds_;
  DisplayModeFn displayMode_;
};

}  // namespace

std::unique_ptr<TNvApiLibrary> BindNvApiLibrary(const std::wstring& folder) {
  HMODULE module = LoadLibraryFromFolder(folder, L"nvapi.dll");
  if (!module) return nullptr;
  auto query = BindFunction<QueryInterfaceFn>(module, "nvapi_QueryInterface");
  if (!query) return nullptr;
  auto initialize = WindowsNvApi::Query<InitializeFn>(query, nvapi::kInitialize);
  auto enumGpus = WindowsNvApi::Query<EnumPhysicalGpusFn>(query, nvapi::kEnumPhysicalGPUs);
  auto enumDisplays = WindowsNvApi::Query<EnumDisplayFn>(query, nvapi::kEnumNvidiaDisplayHandle);
  if (!initialize || !enumGpus || !enumDisplays || initialize() != nvapi::kOk) return nullptr;
  return std::make_unique<WindowsNvApi>(query, enumGpus, enumDisplays);
}

}  // namespace vsm
