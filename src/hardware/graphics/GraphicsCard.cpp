#include "hardware/graphics/GraphicsCard.h"

#include <algorithm>
#include <iterator>

#include "sysinfo/WqlText.h"

namespace vsm {

const TDisplay* TDisplayList::GetDisplay(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return &FItems[static_cast<size_t>(index)];
}

void TGraphicsCard::ReadDetails(const WmiQueryFunction& wmi) {
  ReadVendorDetails();
  ReadWmiDetails(wmi);
}

void TGraphicsCard::ReadWmiDetails(const WmiQueryFunction& wmi) {
  if (FName.empty() || !wmi) return;
  auto controllers =
      wmi(kWmiCimv2, "SELECT * From Win32_VideoController where name='" + WqlQuoted(FName) + "'");
  if (!controllers || controllers->empty()) return;
  const WmiObject& controller = controllers->front();

  if (FMemoryType.empty())
    FMemoryType = VideoMemoryTypeName(WmiVarToInt64(controller.Get("VideoMemoryType")));
  FDAC = controller.GetText("AdapterDACType");
  VideoProcessor = controller.GetText("VideoProcessor");
  if (Description.empty()) Description = controller.GetText("Description");
  if (FAdapterRAM == 0) FAdapterRAM = std::max<int64_t>(0, WmiVarToInt64(controller.Get("AdapterRAM")));
  if (FDisplays.Count() == 0) {
    TDisplay display;
    display.ColorDepth = static_cast<int32_t>(WmiVarToInt64(controller.Get("CurrentBitsPerPixel")));
    display.VertRes = static_cast<int32_t>(WmiVarToInt64(controller.Get("CurrentVerticalResolution")));
    display.HorzRes = static_cast<int32_t>(WmiVarToInt64(controller.Get("CurrentHorizontalResolution")));
    display.RefreshRate = static_cast<int32_t>(WmiVarToInt64(controller.Get("CurrentRefreshRate")));
    FDisplays.Add(std::move(display));
  }
}

std::string VideoMemoryTypeName(int64_t code) {
  // Codes 2 to 13, in order.
  static const char* const kNames[] = {
      "DDRAM", "VRAM",  "DRAM",  "SRAM", "WRAM", "EDO RAM", "Burst Synchronous DRAM", "Pipelined Burst SRAM",
      "CDRAM", "3DRAM", "SDRAM", "SGRAM"};
  constexpr int64_t kFirst = 2;
  if (code < kFirst || code >= kFirst + static_cast<int64_t>(std::size(kNames))) return {};
  return kNames[code - kFirst];
}

}  // namespace vsm
