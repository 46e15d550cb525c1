#include "hardware/superio/MainBord.h"

#include "hardware/board/BoardMaps.h"

namespace vsm {

TMainBord::TMainBord(uint16_t chip, uint16_t address, uint8_t revision,
                     const DriverChannelFactory& channels, const WmiQueryFunction& wmi)
    : driver(std::make_unique<TVeskHdDrv>(channels)), revision(revision), address(address), Chip(chip) {
  IdentifyBoard(wmi);
}

void TMainBord::IdentifyBoard(const WmiQueryFunction& wmi) {
  if (!wmi) return;
  std::optional<WmiObjects> boards = wmi(kWmiCimv2, "SELECT * From Win32_BaseBoard");
  if (!boards || boards->empty()) return;
  FWmiObject = boards->front();
  Manufacturer = FWmiObject.GetText("Manufacturer");
  Product = FWmiObject.GetText("Product");
  SerialNumber = FWmiObject.GetText("SerialNumber");
  Version = FWmiObject.GetText("Version");
  mf = ManufacturerFromName(Manufacturer);
  model = ModelFromName(Product);
}

uint8_t TMainBord::ReadGPIO(int) { return 0; }

void TMainBord::WriteGPID(int, uint8_t) {}

TGeneralBoard::TGeneralBoard(const DriverChannelFactory& channels, const WmiQueryFunction& wmi)
    : TMainBord(0, 0, 0, channels, wmi) {}

}  // namespace vsm
