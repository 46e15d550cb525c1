#include "hardware/graphics/GraphicsList.h"

#include "hardware/graphics/ATIGraphics.h"
#include "hardware/graphics/NvidiaGraphics.h"

namespace vsm {

TGraphicsCard* TGraphicsList::GetGraphics(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return FItems[static_cast<size_t>(index)].get();
}

bool TGraphicsList::HasTempSensor() const { return !FItems.empty() && FItems.front()->HasTempSensor(); }

std::vector<std::unique_ptr<TGraphicsCard>> EnumerateWmiCards(const WmiQueryFunction& wmi) {
  std::vector<std::unique_ptr<TGraphicsCard>> cards;
  if (!wmi) return cards;
  auto controllers = wmi(kWmiCimv2, "SELECT Name, Status From Win32_VideoController");
  if (!controllers) return cards;
  for (const WmiObject& controller : *controllers) {
    const WmiValue& status = controller.Get("Status");
    const WmiValue& name = controller.Get("Name");
    // A controller whose name cannot be read is skipped.
    if (status.kind != WmiValue::Kind::Text || status.text != "OK" || name.kind != WmiValue::Kind::Text)
      continue;
    auto card = std::make_unique<TUnknowGraphics>(name.text);
    card->ReadDetails(wmi);
    cards.push_back(std::move(card));
  }
  return cards;
}

std::unique_ptr<TGraphicsList> CreateGraphicsList(TAdlLibrary* adl, TNvApiLibrary* nvapi,
                                                  const WmiQueryFunction& wmi) {
  auto list = std::make_unique<TGraphicsList>();
  if (adl) {
    for (auto& card : EnumerateAdlCards(*adl, wmi)) list->Add(std::move(card));
  }
  if (nvapi) {
    for (auto& card : EnumerateNvidiaCards(*nvapi, wmi)) list->Add(std::move(card));
  }
  if (list->Count() == 0) {
    for (auto& card : EnumerateWmiCards(wmi)) list->Add(std::move(card));
  }
  return list;
}

}  // namespace vsm
