#include "hardware/graphics/ATIGraphics.h"

#include <cmath>
#include <span>

namespace vsm {

namespace {

// More adapters than any machine has; a bogus count must not become a huge allocation.
constexpr int kMaxAdapters = 256;

int32_t RoundedRefreshRate(float hertz) {
  if (!std::isfinite(hertz) || hertz < 0 || hertz > 10000) return 0;
  return static_cast<int32_t>(std::lrint(hertz));
}

}  // namespace

TATIGraphics::TATIGraphics(TAdlLibrary& adl, int adapterIndex, std::string name)
    : TGraphicsCard(std::move(name)), FAdl(adl), FAdapterIndex(adapterIndex) {}

void TATIGraphics::ReadVendorDetails() {
  TVendorBlock<adl::kMemoryInfoSize> memory;
  bool haveMemory = FAdl.MemoryInfo(FAdapterIndex, memory) == adl::kOk;
  if (haveMemory) FAdapterRAM = Int64At(memory.view(), 0);

  TVendorBlock<adl::kActivitySize> activity;
  activity.Put(0, adl::kActivitySize);
  bool haveActivity = FAdl.CurrentActivity(FAdapterIndex, activity) == adl::kOk;
  // Clocks come in units of 10 kHz.
  if (haveActivity && activity.Int(adl::kEngineClockOffset) > 0)
    FCoreclock = activity.Int(adl::kEngineClockOffset) / 100;

  TVendorBlock<adl::kFanSpeedSize> fan;
  fan.Put(0, adl::kFanSpeedSize);
  fan.Put(adl::kSpeedTypeOffset, adl::kSpeedTypeRpm);
  if (FAdl.FanSpeed(FAdapterIndex, 0, fan) == adl::kOk) FFanSpeed = fan.Int(adl::kFanSpeedOffset);

  if (haveActivity && activity.Int(adl::kMemoryClockOffset) > 0)
    FMemoryclock = activity.Int(adl::kMemoryClockOffset) / 100;
  if (haveMemory) FMemoryType = TextAt(memory.view(), adl::kMemoryTypeOffset, adl::kNameLength);

  ReadDisplays();
}

void TATIGraphics::ReadDisplays() {
  std::vector<uint8_t> displays;
  if (FAdl.DisplayInfo(FAdapterIndex, displays) != adl::kOk) return;
  std::vector<uint8_t> maps;
  if (FAdl.DisplayMaps(FAdapterIndex, maps) != adl::kOk) maps.clear();

  std::span<const uint8_t> all(displays);
  for (size_t at = 0; at + adl::kDisplayInfoSize <= all.size(); at += adl::kDisplayInfoSize) {
    std::span<const uint8_t> info = all.subspan(at, adl::kDisplayInfoSize);
    if ((WordAt(info, adl::kDisplayInfoValueOffset) & adl::kDisplayConnectedAndMapped) !=
        adl::kDisplayConnectedAndMapped)
      continue;
    TDisplay display;
    display.Name = TextAt(info, adl::kDisplayNameOffset, adl::kNameLength);
    display.Manufacturer = TextAt(info, adl::kDisplayManufacturerOffset, adl::kNameLength);
    display.DisplayType = IntAt(info, adl::kDisplayTypeOffset);
    display.OutputType = IntAt(info, adl::kDisplayOutputTypeOffset);
    int32_t logicalIndex = IntAt(info, adl::kDisplayLogicalIndexOffset);
    std::span<const uint8_t> allMaps(maps);
    for (size_t m = 0; m + adl::kDisplayMapSize <= allMaps.size(); m += adl::kDisplayMapSize) {
      std::span<const uint8_t> map = allMaps.subspan(m, adl::kDisplayMapSize);
      if (IntAt(map, adl::kMapLogicalIndexOffset) != logicalIndex) continue;
      display.HorzRes = IntAt(map, adl::kMapXResOffset);
      display.VertRes = IntAt(map, adl::kMapYResOffset);
      display.ColorDepth = IntAt(map, adl::kMapColourDepthOffset);
      display.RefreshRate = RoundedRefreshRate(FloatAt(map, adl::kMapRefreshRateOffset));
      break;
    }
    FDisplays.Add(std::move(display));
  }
}

double TATIGraphics::Temperature() {
  TVendorBlock<adl::kTemperatureSize> temperature;
  temperature.Put(0, adl::kTemperatureSize);
  if (FAdl.Temperature(FAdapterIndex, 0, temperature) != adl::kOk) return 0;
  return temperature.Int(adl::kTemperatureOffset) / 1000.0;
}

int TATIGraphics::usePercent() {
  TVendorBlock<adl::kActivitySize> activity;
  activity.Put(0, adl::kActivitySize);
  if (FAdl.CurrentActivity(FAdapterIndex, activity) != adl::kOk) return 0;
  int32_t percent = activity.Int(adl::kActivityPercentOffset);
  return percent > 0 ? percent : 0;
}

std::vector<std::unique_ptr<TGraphicsCard>> EnumerateAdlCards(TAdlLibrary& adl, const WmiQueryFunction& wmi) {
  std::vector<std::unique_ptr<TGraphicsCard>> cards;
  int count = 0;
  if (adl.NumberOfAdapters(count) != adl::kOk || count <= 0 || count > kMaxAdapters) return cards;
  std::vector<uint8_t> records(static_cast<size_t>(count) * adl::kAdapterInfoSize);
  if (adl.AdapterInfo(records) != adl::kOk) return cards;

  int lastId = 0;
  std::span<const uint8_t> all(records);
  // Only whole records: the binding may hand back fewer bytes than were asked for.
  for (size_t at = 0; at + adl::kAdapterInfoSize <= records.size(); at += adl::kAdapterInfoSize) {
    std::span<const uint8_t> record = all.subspan(at, adl::kAdapterInfoSize);
    int adapterIndex = IntAt(record, adl::kAdapterIndexOffset);
    int id = 0;
    if (adl.AdapterId(adapterIndex, id) != adl::kOk || id == 0 || id == lastId) continue;
    lastId = id;
    auto card = std::make_unique<TATIGraphics>(adl, adapterIndex,
                                               TextAt(record, adl::kAdapterNameOffset, adl::kNameLength));
    card->ReadDetails(wmi);
    cards.push_back(std::move(card));
  }
  return cards;
}

}  // namespace vsm
