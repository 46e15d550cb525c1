// A stand-in for NVIDIA's nvapi.dll: nvapi_QueryInterface hands out the interfaces the program
// asks for, answering the prepared replies of a TFakeNvApi. Handles are the values the replies
// name.
#include <algorithm>
#include <cstring>
#include <vector>

#include "FakeGpuExports.h"

namespace vsm::fake {
namespace {

TFakeNvApi& NvApi() {
  static TFakeNvApi nvapi;
  return nvapi;
}

uintptr_t HandleValue(void* handle) { return reinterpret_cast<uintptr_t>(handle); }

int GiveHandles(int result, const nvapi::TGpuHandles& handles, uint32_t count, void** out,
                unsigned int* outCount) {
  for (size_t i = 0; i < std::min<size_t>(count, handles.size()); ++i)
    out[i] = reinterpret_cast<void*>(handles[i]);
  *outCount = count;
  return result;
}

int Initialize() {
  const TReply* reply = NvApi().replies.Find(nvapi::kInitialize, 0);
  return reply ? reply->status : -1;
}

int EnumPhysicalGPUs(void** gpus, unsigned int* count) {
  if (!gpus || !count) return -5;
  nvapi::TGpuHandles handles{};
  uint32_t n = 0;
  int result = NvApi().EnumPhysicalGPUs(handles, n);
  return GiveHandles(result, handles, n, gpus, count);
}

int EnumNvidiaDisplayHandle(unsigned int index, void** display) {
  if (!display) return -5;
  TNvDisplayHandle handle = 0;
  int result = NvApi().EnumNvidiaDisplayHandle(index, handle);
  *display = reinterpret_cast<void*>(handle);
  return result;
}

int GetPhysicalGPUsFromDisplay(void* display, void** gpus, unsigned int* count) {
  if (!gpus || !count) return -5;
  nvapi::TGpuHandles handles{};
  uint32_t n = 0;
  int result = NvApi().GetPhysicalGPUsFromDisplay(HandleValue(display), handles, n);
  return GiveHandles(result, handles, n, gpus, count);
}

// The real interface writes a short string of 64 characters.
int GetFullName(void* gpu, char* name) {
  if (!name) return -5;
  TVendorBlock<nvapi::kFullNameLength> block;
  int result = NvApi().GetFullName(HandleValue(gpu), block);
  size_t length = strnlen(reinterpret_cast<const char*>(block.bytes.data()), 63);
  std::memcpy(name, block.bytes.data(), length);
  name[length] = 0;
  return result;
}

int GetThermalSettings(void* gpu, unsigned int sensorIndex, void* settings) {
  return Relay<nvapi::kThermalSize>(settings, [&](auto& block) {
    return NvApi().GetThermalSettings(HandleValue(gpu), sensorIndex, block);
  });
}

int GetMemoryInfo(void* display, void* info) {
  return Relay<nvapi::kMemoryInfoSize>(
      info, [&](auto& block) { return NvApi().GetMemoryInfo(HandleValue(display), block); });
}

int GetAllClockFrequencies(void* gpu, void* clocks) {
  return Relay<nvapi::kClocksSize>(
      clocks, [&](auto& block) { return NvApi().GetAllClockFrequencies(HandleValue(gpu), block); });
}

// Writes only the 48 bytes of the layout its version word names.
int GetDynamicPstatesInfoEx(void* gpu, void* pstates) {
  return Relay<48>(pstates, [&](TVendorBlock<48>& block) {
    TVendorBlock<nvapi::kPstatesSize> full;
    std::memcpy(full.data(), block.data(), 48);
    int result = NvApi().GetDynamicPstatesInfoEx(HandleValue(gpu), full);
    std::memcpy(block.data(), full.data(), 48);
    return result;
  });
}

int GetUsages(void* gpu, void* usages) {
  return Relay<nvapi::kUsagesSize>(usages,
                                   [&](auto& block) { return NvApi().GetUsages(HandleValue(gpu), block); });
}

int GetConnectedDisplayIds(void* gpu, void* entries, unsigned int* count, unsigned int flags) {
  if (!entries || !count) return -5;
  uint32_t capacity = *count;
  auto* first = static_cast<uint8_t*>(entries);
  std::vector<uint8_t> copy(first, first + size_t{capacity} * nvapi::kDisplayIdsSize);
  uint32_t n = capacity;
  int result = NvApi().GetConnectedDisplayIds(HandleValue(gpu), copy, n, flags);
  std::memcpy(entries, copy.data(), copy.size());
  *count = n;
  return result;
}

int GetDeviceDisplayMode(unsigned int displayId, void* mode) {
  return Relay<nvapi::kDisplayModeSize>(
      mode, [&](auto& block) { return NvApi().GetDeviceDisplayMode(displayId, block); });
}

}  // namespace

TReplies& LibraryReplies() { return NvApi().replies; }

}  // namespace vsm::fake

extern "C" __declspec(dllexport) void* nvapi_QueryInterface(unsigned int id) {
  using namespace vsm;
  using namespace vsm::fake;
  switch (id) {
    case nvapi::kInitialize: return reinterpret_cast<void*>(&Initialize);
    case nvapi::kEnumPhysicalGPUs: return reinterpret_cast<void*>(&EnumPhysicalGPUs);
    case nvapi::kEnumNvidiaDisplayHandle: return reinterpret_cast<void*>(&EnumNvidiaDisplayHandle);
    case nvapi::kGetPhysicalGPUsFromDisplay: return reinterpret_cast<void*>(&GetPhysicalGPUsFromDisplay);
    case nvapi::kGetFullName: return reinterpret_cast<void*>(&GetFullName);
    case nvapi::kGetThermalSettings: return reinterpret_cast<void*>(&GetThermalSettings);
    case nvapi::kGetMemoryInfo: return reinterpret_cast<void*>(&GetMemoryInfo);
    case nvapi::kGetAllClockFrequencies: return reinterpret_cast<void*>(&GetAllClockFrequencies);
    case nvapi::kGetDynamicPstatesInfoEx: return reinterpret_cast<void*>(&GetDynamicPstatesInfoEx);
    case nvapi::kGetUsages: return reinterpret_cast<void*>(&GetUsages);
    case nvapi::kGetConnectedDisplayIds: return reinterpret_cast<void*>(&GetConnectedDisplayIds);
    case nvapi::kGetDeviceDisplayMode: return reinterpret_cast<void*>(&GetDeviceDisplayMode);
    default: return nullptr;
  }
}
