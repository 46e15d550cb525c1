#include "hardware/superio/MainBord.h"

#include "hardware/board/BoardMaps.h"

namespace vsm {

TBaseBoardIdentity QueryBaseBoard(const WmiQueryFunction& wmi) {
  TBaseBoardIdentity identity;
  if (!wmi) return identity;
  std::optional<WmiObjects> boards = wmi(kWmiCimv2, "SELECT * From Win32_BaseBoard");
  if (!boards || boards->empty()) return identity;
  identity.object = boards->front();
  identity.Manufacturer = identity.object.GetText("Manufacturer");
  identity.Product = identity.object.GetText("Product");
  identity.SerialNumber = identity.object.GetText("SerialNumber");
  identity.Version = identity.object.GetText("Version");
  return identity;
}

TMainBord::TMainBord(uint16_t chip, uint16_t address, uint8_t revision, const DriverChannelFactory& channels,
                     const TBaseBoardIdentity& identity)
    : driver(std::make_unique<TVeskHdDrv>(channels)), revision(revision), address(address),
      mf(ManufacturerFromName(identity.Manufacturer)), model(ModelFromName(identity.Product)), Chip(chip),
      FWmiObject(identity.object), Manufacturer(identity.Manufacturer), Product(identity.Product),
      SerialNumber(identity.SerialNumber), Version(identity.Version) {}

uint8_t TMainBord::ReadGPIO(int) { return 0; }

void TMainBord::WriteGPID(int, uint8_t) {}

TGeneralBoard::TGeneralBoard(const DriverChannelFactory& channels, const TBaseBoardIdentity& identity)
    : TMainBord(0, 0, 0, channels, identity) {}

}  // namespace vsm
