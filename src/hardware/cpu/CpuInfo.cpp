#include "hardware/cpu/CpuInfo.h"

#include <algorithm>

#include "hardware/cpu/CorePinning.h"

namespace vsm {

TCpuInfo::TCpuInfo(TCpuType type, TCpuSeams seams) : CPUType(type), seams_(std::move(seams)) {
  if (!seams_.pciBus) seams_.pciBus = InProcessBusLock(TBus::Pci);
}

TBusGuard TCpuInfo::LockPciBus(std::chrono::milliseconds timeout) { return seams_.pciBus->Lock(timeout); }

void TCpuInfo::Initialize() {
  driver = std::make_unique<TVeskHdDrv>(seams_.channels);
  LoadCpuData();
  CpuTemp.assign(NumberOfCores, 0.0);
}

TCpuidRecord TCpuInfo::Cpuid(uint32_t leaf) const {
  if (!seams_.cpuid) return {};
  return seams_.cpuid(leaf, 0);
}

void TCpuInfo::ForEachCore(const std::function<bool(int core)>& work) {
  ForEachCorePinned(seams_.setThreadAffinity, NumberOfCores, work);
}

void TCpuInfo::LoadCpuData() {
  CpuDataLen = static_cast<int32_t>(Cpuid(0).EAX);
  ReadWmiIdentity();
  if (CpuDataLen <= 0) return;
  ReadCpuidLeaves();
}

void TCpuInfo::ReadWmiIdentity() {
  if (!seams_.wmi) return;
  // Like a failed property read, a failing query leaves the identity as it is.
  try {
    std::optional<WmiObjects> objects = seams_.wmi(kWmiCimv2, "SELECT * From Win32_Processor");
    if (!objects || objects->empty()) return;
    FWmiObject = objects->front();
    Name = FWmiObject.GetText("Name");
    Description = FWmiObject.GetText("Description");
    Manufacturer = FWmiObject.GetText("Manufacturer");
    int64_t cores = WmiVarToInt64(FWmiObject.Get("NumberOfCores"));
    NumberOfCores = static_cast<uint8_t>(std::clamp<int64_t>(cores, 0, 255));
    ProcessorId = FWmiObject.GetText("ProcessorId");
    Family = static_cast<uint32_t>(WmiVarToInt64(FWmiObject.Get("Family")));
    int64_t l2 = WmiVarToInt64(FWmiObject.Get("L2CacheSize"));
    if (l2 != 0) CacheSize = l2 * 1024;
  } catch (...) {
  }
}

void TCpuInfo::ReadCpuidLeaves() {
  CpuDataLen = std::min(CpuDataLen, kMaxLeaves);
  CpuData.resize(static_cast<size_t>(CpuDataLen) + 1);
  for (int leaf = 0; leaf <= CpuDataLen; ++leaf) CpuData[leaf] = Cpuid(static_cast<uint32_t>(leaf));

  uint32_t signature = CpuData[1].EAX;  // CpuDataLen > 0, so leaf 1 is there
  Family = DisplayFamily(signature);
  CpuModel = DisplayModel(signature);

  uint32_t highestExtended = Cpuid(kExtendedBase).EAX;
  if (highestExtended < kExtendedBase + 1) return;
  CpuExDataLen = static_cast<int>(std::min<uint32_t>(highestExtended - kExtendedBase, kMaxLeaves));
  CpuExData.resize(static_cast<size_t>(CpuExDataLen) + 1);
  for (int i = 0; i <= CpuExDataLen; ++i) CpuExData[i] = Cpuid(kExtendedBase + static_cast<uint32_t>(i));
}

}  // namespace vsm
