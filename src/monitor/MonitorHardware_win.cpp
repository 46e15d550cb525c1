#include "monitor/MonitorHardware_win.h"

#include "hardware/uHardWare.h"

namespace vsm {

namespace {

TGraphicsCard* FirstCard() {
  return Hardware->Graphics && Hardware->Graphics->Count() > 0 ? Hardware->Graphics->GetGraphics(0) : nullptr;
}

TSenorArray Zones() {
  TSenorArray zones;
  Hardware->GetAsynData(hcZoneTemp, 0, zones);
  return zones;
}

}  // namespace

bool HardwarePresent() { return Hardware != nullptr; }

TSensorPresence ReadSensorPresence() {
  TSensorPresence presence;
  if (!Hardware) return presence;
  presence.cpu = Hardware->cpu && Hardware->cpu->HasTempSensor();
  presence.disks = Hardware->hdds && Hardware->hdds->HasTempSensor();
  presence.graphics = Hardware->Graphics && Hardware->Graphics->HasTempSensor();
  presence.board = Hardware->board && Hardware->board->HasTempSensor();
  presence.zones = AnyZoneReading(Zones());
  return presence;
}

std::optional<double> ReadStripTemperature(TMoniItem item) {
  if (!Hardware) return std::nullopt;
  switch (item) {
    case miTempCpu:
      if (Hardware->cpu && Hardware->cpu->HasTempSensor()) return Hardware->cpu->CpuTemp[0];
      return std::nullopt;
    case miTempGpu:
      if (TGraphicsCard* card = FirstCard()) return card->Temperature();
      return std::nullopt;
    case miTempDisk:
      if (Hardware->hdds && Hardware->hdds->Count() > 0) return Hardware->hdds->GetDisk(0)->GetTemperature();
      return std::nullopt;
    case miBoard:
      if (Hardware->board && Hardware->board->HasTempSensor()) return Hardware->board->Temperatures[0].value;
      return std::nullopt;
    case miTempZone:
      for (const TSensor& zone : Zones())
        if (zone.value != 0) return zone.value;
      return std::nullopt;
    default: return std::nullopt;
  }
}

std::vector<TPanelTemperature> ReadPanelTemperatures() {
  std::vector<TPanelTemperature> temperatures;
  if (!Hardware) return temperatures;
  if (Hardware->cpu && Hardware->cpu->HasTempSensor()) {
    double value = 0;
    Hardware->GetAsynData(hcCpuTemp, 0, value);
    temperatures.push_back({miTempCpu, value});
  }
  if (Hardware->board && Hardware->board->HasTempSensor()) {
    TSenorArray sensors;
    Hardware->GetAsynData(hcBoard, 1, sensors);
    temperatures.push_back({miBoard, sensors.empty() ? 0 : sensors[0].value});
  }
  if (Hardware->hdds && Hardware->hdds->HasTempSensor()) {
    double value = 0;
    Hardware->GetAsynData(hcDiskTemp, 0, value);
    temperatures.push_back({miTempDisk, value});
  }
  TGraphicsCard* card = FirstCard();
  if (card != nullptr && card->HasTempSensor()) {
    double value = 0;
    Hardware->GetAsynData(hcGraphicsTemp, 0, value);
    temperatures.push_back({miTempGpu, value});
  }
  for (const TSensor& zone : Zones())
    if (zone.value != 0) temperatures.push_back({miTempZone, zone.value, zone.name});
  return temperatures;
}

}  // namespace vsm
