#include "FakeGpuLibraries.h"

#include <algorithm>
#include <cstring>

namespace vsm::fake {

namespace {

constexpr int kAdlInvalidParam = -3;
constexpr int kNvInvalidArgument = -5;
constexpr int kNvIncompatibleStructVersion = -9;

template <size_t Size>
int Answer(const TReply* reply, TVendorBlock<Size>& block) {
  if (!reply) return adl::kMissing;
  CopyReply(*reply, block.data(), Size);
  return reply->status;
}

template <size_t Size>
int AnswerVersioned(const TReply* reply, TVendorBlock<Size>& block, uint32_t version) {
  if (!reply) return nvapi::kMissing;
  if (block.Word(0) != version) return kNvIncompatibleStructVersion;
  CopyReply(*reply, block.data(), Size);
  return reply->status;
}

int AnswerBytes(const TReply* reply, std::vector<uint8_t>& out, int missing) {
  if (!reply) return missing;
  out = reply->bytes;
  return reply->status;
}

int AnswerHandles(const TReply* reply, nvapi::TGpuHandles& gpus, uint32_t& count) {
  if (!reply) return nvapi::kMissing;
  count = static_cast<uint32_t>(reply->bytes.size() / 4);
  for (size_t i = 0; i < std::min<size_t>(count, gpus.size()); ++i) gpus[i] = WordAt(reply->bytes, 4 * i);
  return reply->status;
}

// Cuts a buffer to the bytes a wrapper held, freeing the rest so that a read beyond is caught.
void Hold(std::vector<uint8_t>& buffer, size_t held) {
  buffer.resize(std::min(held, buffer.size()));
  buffer.shrink_to_fit();
}

}  // namespace

void TReplies::Set(uint32_t call, uint64_t key, int status, std::vector<uint8_t> bytes) {
  replies_[{call, key}] = TReply{status, std::move(bytes)};
}

void TReplies::Clear() {
  replies_.clear();
  asked_.clear();
}

const TReply* TReplies::Find(uint32_t call, uint64_t key) {
  ++asked_[call];
  auto found = replies_.find({call, key});
  return found == replies_.end() ? nullptr : &found->second;
}

int TReplies::Asked(uint32_t call) const {
  auto found = asked_.find(call);
  return found == asked_.end() ? 0 : found->second;
}

void CopyReply(const TReply& reply, void* out, size_t size) {
  std::memcpy(out, reply.bytes.data(), std::min(size, reply.bytes.size()));
}

// ---- ADL ----

int TFakeAdl::NumberOfAdapters(int& count) {
  const TReply* reply = replies.Find(kAdlNumberOfAdapters, 0);
  if (!reply) return adl::kMissing;
  count = IntAt(reply->bytes, 0);
  return reply->status;
}

int TFakeAdl::AdapterInfo(std::vector<uint8_t>& records) {
  const TReply* reply = replies.Find(kAdlAdapterInfo, 0);
  if (!reply) return adl::kMissing;
  if (records.empty() || records.size() % adl::kAdapterInfoSize != 0) return kAdlInvalidParam;
  CopyReply(*reply, records.data(), records.size());
  if (adapterInfoHeld) Hold(records, *adapterInfoHeld);
  return reply->status;
}

int TFakeAdl::AdapterId(int adapterIndex, int& id) {
  const TReply* reply = replies.Find(kAdlAdapterId, static_cast<uint64_t>(adapterIndex));
  if (!reply) return adl::kMissing;
  id = IntAt(reply->bytes, 0);
  return reply->status;
}

int TFakeAdl::MemoryInfo(int adapterIndex, TVendorBlock<adl::kMemoryInfoSize>& info) {
  return Answer(replies.Find(kAdlMemoryInfo, static_cast<uint64_t>(adapterIndex)), info);
}

int TFakeAdl::CurrentActivity(int adapterIndex, TVendorBlock<adl::kActivitySize>& activity) {
  const TReply* reply = replies.Find(kAdlActivity, static_cast<uint64_t>(adapterIndex));
  if (reply && activity.Word(0) != adl::kActivitySize) return kAdlInvalidParam;
  return Answer(reply, activity);
}

int TFakeAdl::FanSpeed(int adapterIndex, int thermalController, TVendorBlock<adl::kFanSpeedSize>& speed) {
  const TReply* reply = replies.Find(kAdlFanSpeed, static_cast<uint64_t>(adapterIndex));
  if (reply &&
      (thermalController != 0 || speed.Word(0) != adl::kFanSpeedSize || speed.Word(4) != adl::kSpeedTypeRpm))
    return kAdlInvalidParam;
  return Answer(reply, speed);
}

int TFakeAdl::Temperature(int adapterIndex, int thermalController,
                          TVendorBlock<adl::kTemperatureSize>& temperature) {
  const TReply* reply = replies.Find(kAdlTemperature, static_cast<uint64_t>(adapterIndex));
  if (reply && (thermalController != 0 || temperature.Word(0) != adl::kTemperatureSize))
    return kAdlInvalidParam;
  return Answer(reply, temperature);
}

int TFakeAdl::DisplayInfo(int adapterIndex, std::vector<uint8_t>& displays) {
  return AnswerBytes(replies.Find(kAdlDisplayInfo, static_cast<uint64_t>(adapterIndex)), displays,
                     adl::kMissing);
}

int TFakeAdl::DisplayMaps(int adapterIndex, std::vector<uint8_t>& maps) {
  return AnswerBytes(replies.Find(kAdlDisplayMaps, static_cast<uint64_t>(adapterIndex)), maps, adl::kMissing);
}

// ---- NVAPI ----

int TFakeNvApi::EnumPhysicalGPUs(nvapi::TGpuHandles& gpus, uint32_t& count) {
  return AnswerHandles(replies.Find(nvapi::kEnumPhysicalGPUs, 0), gpus, count);
}

int TFakeNvApi::EnumNvidiaDisplayHandle(uint32_t index, TNvDisplayHandle& display) {
  const TReply* reply = replies.Find(nvapi::kEnumNvidiaDisplayHandle, index);
  if (!reply) return nvapi::kMissing;
  display = WordAt(reply->bytes, 0);
  return reply->status;
}

int TFakeNvApi::GetPhysicalGPUsFromDisplay(TNvDisplayHandle display, nvapi::TGpuHandles& gpus,
                                           uint32_t& count) {
  return AnswerHandles(replies.Find(nvapi::kGetPhysicalGPUsFromDisplay, display), gpus, count);
}

int TFakeNvApi::GetFullName(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kFullNameLength>& name) {
  const TReply* reply = replies.Find(nvapi::kGetFullName, gpu);
  if (!reply) return nvapi::kMissing;
  CopyReply(*reply, name.data(), nvapi::kFullNameLength);
  return reply->status;
}

int TFakeNvApi::GetThermalSettings(TNvPhysicalGpuHandle gpu, uint32_t sensorIndex,
                                   TVendorBlock<nvapi::kThermalSize>& settings) {
  const TReply* reply = replies.Find(nvapi::kGetThermalSettings, gpu);
  if (reply && (sensorIndex != 15 || settings.Word(4) != 3)) return kNvInvalidArgument;
  return AnswerVersioned(reply, settings, 0x10044);
}

int TFakeNvApi::GetMemoryInfo(TNvDisplayHandle display, TVendorBlock<nvapi::kMemoryInfoSize>& info) {
  return AnswerVersioned(replies.Find(nvapi::kGetMemoryInfo, display), info, 0x20018);
}

int TFakeNvApi::GetAllClockFrequencies(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kClocksSize>& clocks) {
  const TReply* reply = replies.Find(nvapi::kGetAllClockFrequencies, gpu);
  if (reply && (clocks.Word(4) & 3) != 1) return kNvInvalidArgument;
  return AnswerVersioned(reply, clocks, 0x20108);
}

int TFakeNvApi::GetDynamicPstatesInfoEx(TNvPhysicalGpuHandle gpu,
                                        TVendorBlock<nvapi::kPstatesSize>& pstates) {
  return AnswerVersioned(replies.Find(nvapi::kGetDynamicPstatesInfoEx, gpu), pstates, 0x10030);
}

int TFakeNvApi::GetUsages(TNvPhysicalGpuHandle gpu, TVendorBlock<nvapi::kUsagesSize>& usages) {
  return AnswerVersioned(replies.Find(nvapi::kGetUsages, gpu), usages, 0x10088);
}

int TFakeNvApi::GetConnectedDisplayIds(TNvPhysicalGpuHandle gpu, std::vector<uint8_t>& entries,
                                       uint32_t& count, uint32_t flags) {
  const TReply* reply = replies.Find(nvapi::kGetConnectedDisplayIds, gpu);
  if (!reply) return nvapi::kMissing;
  if (flags != 0x0FFFFFFF || entries.size() < size_t{count} * 16) return kNvInvalidArgument;
  for (size_t i = 0; i < count; ++i) {
    if (WordAt(entries, 16 * i) != 0x10010) return kNvIncompatibleStructVersion;
  }
  uint32_t available = static_cast<uint32_t>(reply->bytes.size() / 16);
  std::memcpy(entries.data(), reply->bytes.data(), size_t{std::min(available, count)} * 16);
  count = available;
  if (displayIdsHeld) Hold(entries, *displayIdsHeld);
  return reply->status;
}

int TFakeNvApi::GetDeviceDisplayMode(uint32_t displayId, TVendorBlock<nvapi::kDisplayModeSize>& mode) {
  return AnswerVersioned(replies.Find(nvapi::kGetDeviceDisplayMode, displayId), mode, 0x1001C);
}

}  // namespace vsm::fake
