#pragma once
// NVIDIA cards, read through NVAPI.
#include <memory>
#include <vector>

#include "hardware/graphics/GraphicsCard.h"
#include "hardware/graphics/NvApiLibrary.h"

namespace vsm {

class TNvidiaGraphics final : public TGraphicsCard {
 public:
  // The library outlives the card (the program keeps it loaded until it ends).
  TNvidiaGraphics(TNvApiLibrary& nvapi, TNvDisplayHandle display, TNvPhysicalGpuHandle gpu);

  int usePercent() override;
  double Temperature() override;
  TNvDisplayHandle DisplayHandle() const { return FDisplayHandle; }
  TNvPhysicalGpuHandle GpuHandle() const { return FGpuHandle; }

 protected:
  void ReadVendorDetails() override;

 private:
  void ReadDisplays();

  TNvApiLibrary& FNvApi;
  TNvDisplayHandle FDisplayHandle;
  TNvPhysicalGpuHandle FGpuHandle;
};

// One card per physical GPU, each with the last display handle found driving it (0 for none).
// Nothing when the library does not answer.
std::vector<std::unique_ptr<TGraphicsCard>> EnumerateNvidiaCards(TNvApiLibrary& nvapi,
                                                                 const WmiQueryFunction& wmi);

}  // namespace vsm
