// A stand-in for AMD's ADL library (atiadlxx.dll / atiadlxy.dll): the entry points the program
// binds, answering the prepared replies of a TFakeAdl. Arrays the real library hands out are
// allocated through the caller's callback, as ADL does.
#include <cstring>
#include <vector>

#include "FakeGpuExports.h"

namespace vsm::fake {
namespace {

using MallocCallback = void*(__stdcall*)(int size);

TFakeAdl& Adl() {
  static TFakeAdl adl;
  return adl;
}

MallocCallback allocate = nullptr;

// The caller's callback must hand out zero-filled memory; nothing when it does not.
void* HandOut(const std::vector<uint8_t>& bytes) {
  if (bytes.empty() || !allocate) return nullptr;
  auto* memory = static_cast<uint8_t*>(allocate(static_cast<int>(bytes.size())));
  if (!memory) return nullptr;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (memory[i] != 0) return nullptr;
  }
  std::memcpy(memory, bytes.data(), bytes.size());
  return memory;
}

}  // namespace

TReplies& LibraryReplies() { return Adl().replies; }

}  // namespace vsm::fake

using namespace vsm;
using namespace vsm::fake;

extern "C" {

__declspec(dllexport) int ADL_Main_Control_Create(MallocCallback callback, int connectedOnly) {
  const TReply* reply = Adl().replies.Find(kAdlControlCreate, 0);
  if (!reply) return adl::kMissing;
  if (!callback || connectedOnly != 1) return -3;
  allocate = callback;
  return reply->status;
}

__declspec(dllexport) int ADL_Adapter_NumberOfAdapters_Get(int* count) {
  return count ? Adl().NumberOfAdapters(*count) : -3;
}

__declspec(dllexport) int ADL_Adapter_AdapterInfo_Get(void* info, int size) {
  if (!info || size <= 0) return -3;
  std::vector<uint8_t> records(static_cast<uint8_t*>(info), static_cast<uint8_t*>(info) + size);
  int result = Adl().AdapterInfo(records);
  std::memcpy(info, records.data(), records.size());
  return result;
}

__declspec(dllexport) int ADL_Adapter_ID_Get(int adapterIndex, int* id) {
  return id ? Adl().AdapterId(adapterIndex, *id) : -3;
}

__declspec(dllexport) int ADL_Adapter_MemoryInfo_Get(int adapterIndex, void* info) {
  return Relay<adl::kMemoryInfoSize>(info,
                                     [&](auto& block) { return Adl().MemoryInfo(adapterIndex, block); });
}

__declspec(dllexport) int ADL_Overdrive5_CurrentActivity_Get(int adapterIndex, void* activity) {
  return Relay<adl::kActivitySize>(activity,
                                   [&](auto& block) { return Adl().CurrentActivity(adapterIndex, block); });
}

__declspec(dllexport) int ADL_Overdrive5_FanSpeed_Get(int adapterIndex, int controller, void* speed) {
  return Relay<adl::kFanSpeedSize>(
      speed, [&](auto& block) { return Adl().FanSpeed(adapterIndex, controller, block); });
}

__declspec(dllexport) int ADL_Overdrive5_Temperature_Get(int adapterIndex, int controller,
                                                         void* temperature) {
  return Relay<adl::kTemperatureSize>(
      temperature, [&](auto& block) { return Adl().Temperature(adapterIndex, controller, block); });
}

__declspec(dllexport) int ADL_Display_DisplayInfo_Get(int adapterIndex, int* count, void** displays,
                                                      int /*forceDetect*/) {
  if (!count || !displays) return -3;
  std::vector<uint8_t> bytes;
  int result = Adl().DisplayInfo(adapterIndex, bytes);
  *displays = HandOut(bytes);
  *count = *displays ? static_cast<int>(bytes.size() / adl::kDisplayInfoSize) : 0;
  return result;
}

__declspec(dllexport) int ADL_Display_DisplayMapConfig_Get(int adapterIndex, int* mapCount, void** maps,
                                                           int* targetCount, void** targets,
                                                           int /*options*/) {
  if (!mapCount || !maps || !targetCount || !targets) return -3;
  std::vector<uint8_t> bytes;
  int result = Adl().DisplayMaps(adapterIndex, bytes);
  *maps = HandOut(bytes);
  *mapCount = *maps ? static_cast<int>(bytes.size() / adl::kDisplayMapSize) : 0;
  // One target per map, for the caller to free like the maps.
  *targets = HandOut(std::vector<uint8_t>(size_t(*mapCount) * adl::kDisplayTargetSize, 0));
  *targetCount = *targets ? *mapCount : 0;
  return result;
}

}  // extern "C"
