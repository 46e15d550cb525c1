#pragma once
// The machine's graphics cards, built once by the hardware aggregator.
#include <memory>
#include <vector>

#include "hardware/graphics/AdlLibrary.h"
#include "hardware/graphics/GraphicsCard.h"
#include "hardware/graphics/NvApiLibrary.h"

namespace vsm {

// Owns its cards.
class TGraphicsList {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  // Nothing for an index outside the list.
  TGraphicsCard* GetGraphics(int index) const;
  void Add(std::unique_ptr<TGraphicsCard> card) { FItems.push_back(std::move(card)); }
  // The first card reports a temperature now.
  bool HasTempSensor() const;
  void Clear() { FItems.clear(); }

 private:
  std::vector<std::unique_ptr<TGraphicsCard>> FItems;
};

// The WMI video controllers whose status is "OK", as cards without sensors.
std::vector<std::unique_ptr<TGraphicsCard>> EnumerateWmiCards(const WmiQueryFunction& wmi);

// The ADL cards, then the NVAPI cards; only when neither library gives a card, the WMI cards.
// A library that is not there is passed as nothing.
std::unique_ptr<TGraphicsList> CreateGraphicsList(TAdlLibrary* adl, TNvApiLibrary* nvapi,
                                                  const WmiQueryFunction& wmi);

}  // namespace vsm
