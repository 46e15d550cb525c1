#include "monitor/MonitorHardware_win.h"

#include "hardware/uHardWare.h"

namespace vsm {

namespace {

// The first card's temperature as the hardware thread last read it: the vendor library is called
// from that thread only. 0 before the first cycle and for a card without a sensor.
double FirstCardTemperature(THardware& hardware) {
  double value = 0;
  if (hardware.Graphics && hardware.Graphics->Count() > 0) hardware.GetAsynData(hcGraphicsTemp, 0, value);
  return value;
}

TSenorArray Zones(THardware& hardware) {
  TSenorArray zones;
  hardware.GetAsynData(hcZoneTemp, 0, zones);
  return zones;
}

}  // namespace

TSensorPresence ReadSensorPresence(THardware* hardware) {
  TSensorPresence presence;
  if (!hardware) return presence;
  presence.cpu = hardware->cpu && hardware->cpu->HasTempSensor();
  presence.disks = hardware->hdds && hardware->hdds->HasTempSensor();
  presence.graphics = FirstCardTemperature(*hardware) > 0;
  presence.board = hardware->board && hardware->board->HasTempSensor();
  presence.zones = AnyZoneReading(Zones(*hardware));
  return presence;
}

std::optional<double> ReadStripTemperature(THardware* hardware, TMoniItem item) {
  if (!hardware) return std::nullopt;
  switch (item) {
    case miTempCpu:
      if (hardware->cpu && hardware->cpu->HasTempSensor()) return hardware->cpu->CpuTemp[0];
      return std::nullopt;
    case miTempGpu:
      if (hardware->Graphics && hardware->Graphics->Count() > 0) return FirstCardTemperature(*hardware);
      return std::nullopt;
    case miTempDisk:
      if (hardware->hdds && hardware->hdds->Count() > 0) return hardware->hdds->GetDisk(0)->GetTemperature();
      return std::nullopt;
    case miBoard:
      if (hardware->board && hardware->board->HasTempSensor()) return hardware->board->Temperatures[0].value;
      return std::nullopt;
    case miTempZone:
      for (const TSensor& zone : Zones(*hardware))
        if (zone.value != 0) return zone.value;
      return std::nullopt;
    default: return std::nullopt;
  }
}

std::vector<TPanelTemperature> ReadPanelTemperatures(THardware* hardware) {
  std::vector<TPanelTemperature> temperatures;
  if (!hardware) return temperatures;
  if (hardware->cpu && hardware->cpu->HasTempSensor()) {
    double value = 0;
    hardware->GetAsynData(hcCpuTemp, 0, value);
    temperatures.push_back({miTempCpu, value});
  }
  if (hardware->board && hardware->board->HasTempSensor()) {
    TSenorArray sensors;
    hardware->GetAsynData(hcBoard, 1, sensors);
    temperatures.push_back({miBoard, sensors.empty() ? 0 : sensors[0].value});
  }
  if (hardware->hdds && hardware->hdds->HasTempSensor()) {
    double value = 0;
    hardware->GetAsynData(hcDiskTemp, 0, value);
    temperatures.push_back({miTempDisk, value});
  }
  if (const double value = FirstCardTemperature(*hardware); value > 0)
    temperatures.push_back({miTempGpu, value});
  for (const TSensor& zone : Zones(*hardware))
    if (zone.value != 0) temperatures.push_back({miTempZone, zone.value, zone.name});
  return temperatures;
}

}  // namespace vsm
