#pragma once
// AMD cards, read through ADL.
#include <memory>
#include <string>
#include <vector>

#include "hardware/graphics/AdlLibrary.h"
#include "hardware/graphics/GraphicsCard.h"

namespace vsm {

class TATIGraphics final : public TGraphicsCard {
 public:
  // The library outlives the card (the program keeps it loaded until it ends).
  TATIGraphics(TAdlLibrary& adl, int adapterIndex, std::string name);

  int usePercent() override;
  double Temperature() override;
  int AdapterIndex() const { return FAdapterIndex; }

 protected:
  void ReadVendorDetails() override;

 private:
  void ReadDisplays();

  TAdlLibrary& FAdl;
  int FAdapterIndex;
};

// One card per physical adapter: ADL lists every output of a card as an adapter of its own, all
// with the card's adapter ID. Nothing when the library does not answer.
std::vector<std::unique_ptr<TGraphicsCard>> EnumerateAdlCards(TAdlLibrary& adl, const WmiQueryFunction& wmi);

}  // namespace vsm
