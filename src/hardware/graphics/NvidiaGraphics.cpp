#include "hardware/graphics/NvidiaGraphics.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace vsm {

namespace {

// NVAPI reports at most this many display handles; the bound also stops a library that never
// ends the enumeration.
constexpr uint32_t kMaxDisplayHandles = 64;

// Kilohertz to megahertz by a divisor, rounded half to even.
int32_t RoundedClock(uint32_t kilohertz, double divisor) {
  return static_cast<int32_t>(std::nearbyint(kilohertz / divisor));
}

}  // namespace

TNvidiaGraphics::TNvidiaGraphics(TNvApiLibrary& nvapi, TNvDisplayHandle display, TNvPhysicalGpuHandle gpu)
    : FNvApi(nvapi), FDisplayHandle(display), FGpuHandle(gpu) {}

void TNvidiaGraphics::ReadVendorDetails() {
  TVendorBlock<nvapi::kFullNameLength> fullName;
  FName = "NVIDIA ";
  if (FNvApi.GetFullName(FGpuHandle, fullName) == nvapi::kOk)
    FName += TextAt(fullName.view(), 0, nvapi::kFullNameLength);

  if (FDisplayHandle != 0) {
    TVendorBlock<nvapi::kMemoryInfoSize> memory;
    memory.Put(0, nvapi::kMemoryInfoVersion);
    if (FNvApi.GetMemoryInfo(FDisplayHandle, memory) == nvapi::kOk)
      FAdapterRAM = int64_t{memory.Word(nvapi::kDedicatedMemoryOffset)} * 1024;

    TVendorBlock<nvapi::kClocksSize> clocks;
    clocks.Put(0, nvapi::kClocksVersion);
    clocks.Put(nvapi::kClockTypeOffset, nvapi::kClockTypeBase);
    if (FNvApi.GetAllClockFrequencies(FGpuHandle, clocks) == nvapi::kOk) {
      FCoreclock = RoundedClock(clocks.Word(nvapi::kGraphicsClockOffset), 1000);
      // The memory domain reports the effective data rate of four transfers per clock.
      FMemoryclock = RoundedClock(clocks.Word(nvapi::kMemoryClockOffset), 4000);
    }
  }
  FFanSpeed = 0;
  ReadDisplays();
}

void TNvidiaGraphics::ReadDisplays() {
  std::vector<uint8_t> entries(nvapi::kMaxDisplayIds * nvapi::kDisplayIdsSize);
  for (size_t at = 0; at < entries.size(); at += nvapi::kDisplayIdsSize)
    PutWord(entries, at, nvapi::kDisplayIdsVersion);
  uint32_t count = nvapi::kMaxDisplayIds;
  if (FNvApi.GetConnectedDisplayIds(FGpuHandle, entries, count, nvapi::kDisplayIdsFlags) != nvapi::kOk)
    return;
  // The count is the library's word; only the whole entries the buffer holds are read.
  const size_t held =
      std::min<size_t>({count, nvapi::kMaxDisplayIds, entries.size() / nvapi::kDisplayIdsSize});
  std::span<const uint8_t> all(entries);
  for (size_t i = 0; i < held; ++i) {
    std::span<const uint8_t> entry = all.subspan(i * nvapi::kDisplayIdsSize, nvapi::kDisplayIdsSize);
    TDisplay display;
    display.DisplayType = IntAt(entry, nvapi::kConnectorTypeOffset);
    TVendorBlock<nvapi::kDisplayModeSize> mode;
    mode.Put(0, nvapi::kDisplayModeVersion);
    if (FNvApi.GetDeviceDisplayMode(WordAt(entry, nvapi::kDisplayIdOffset), mode) == nvapi::kOk) {
      display.HorzRes = mode.Int(nvapi::kModeWidthOffset);
      display.VertRes = mode.Int(nvapi::kModeHeightOffset);
      display.ColorDepth = mode.Int(nvapi::kModeColourDepthOffset);
      display.RefreshRate = mode.Int(nvapi::kModeRefreshRateOffset);
    }
    FDisplays.Add(std::move(display));
  }
}

double TNvidiaGraphics::Temperature() {
  TVendorBlock<nvapi::kThermalSize> thermal;
  thermal.Put(0, nvapi::kThermalVersion);
  thermal.Put(nvapi::kThermalCountOffset, nvapi::kThermalSensorCount);
  if (FNvApi.GetThermalSettings(FGpuHandle, nvapi::kThermalTargetAll, thermal) != nvapi::kOk) return 0;
  return thermal.Int(nvapi::kThermalCurrentTempOffset);
}

int TNvidiaGraphics::usePercent() {
  TVendorBlock<nvapi::kPstatesSize> pstates;
  pstates.Put(0, nvapi::kPstatesVersion);
  if (FNvApi.GetDynamicPstatesInfoEx(FGpuHandle, pstates) == nvapi::kOk &&
      (pstates.Word(nvapi::kGpuUtilizationPresentOffset) & 1) != 0 &&
      pstates.Word(nvapi::kGpuUtilizationOffset) != 0)
    return pstates.Int(nvapi::kGpuUtilizationOffset);

  TVendorBlock<nvapi::kUsagesSize> usages;
  usages.Put(0, nvapi::kUsagesVersion);
  if (FNvApi.GetUsages(FGpuHandle, usages) == nvapi::kOk) return usages.Int(nvapi::kGpuUsageOffset);
  return 0;
}

std::vector<std::unique_ptr<TGraphicsCard>> EnumerateNvidiaCards(TNvApiLibrary& nvapi,
                                                                 const WmiQueryFunction& wmi) {
  std::vector<std::unique_ptr<TGraphicsCard>> cards;
  nvapi::TGpuHandles gpus{};
  uint32_t gpuCount = 0;
  if (nvapi.EnumPhysicalGPUs(gpus, gpuCount) != nvapi::kOk) return cards;
  gpuCount = std::min<uint32_t>(gpuCount, nvapi::kMaxPhysicalGpus);

  std::vector<TNvDisplayHandle> displayOf(gpuCount, 0);
  for (uint32_t index = 0; index < kMaxDisplayHandles; ++index) {
    TNvDisplayHandle display = 0;
    if (nvapi.EnumNvidiaDisplayHandle(index, display) != nvapi::kOk) break;
    nvapi::TGpuHandles driving{};
    uint32_t drivingCount = 0;
    if (nvapi.GetPhysicalGPUsFromDisplay(display, driving, drivingCount) != nvapi::kOk) continue;
    drivingCount = std::min<uint32_t>(drivingCount, nvapi::kMaxPhysicalGpus);
    for (uint32_t g = 0; g < gpuCount; ++g) {
      if (std::find(driving.begin(), driving.begin() + drivingCount, gpus[g]) !=
          driving.begin() + drivingCount)
        displayOf[g] = display;
    }
  }

  for (uint32_t g = 0; g < gpuCount; ++g) {
    auto card = std::make_unique<TNvidiaGraphics>(nvapi, displayOf[g], gpus[g]);
    card->ReadDetails(wmi);
    cards.push_back(std::move(card));
  }
  return cards;
}

}  // namespace vsm
