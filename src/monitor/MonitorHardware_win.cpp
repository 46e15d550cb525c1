#include "monitor/MonitorHardware_win.h"

#include "hardware/uHardWare.h"

namespace vsm {

namespace {

// The first card's temperature as the hardware thread last read it: the vendor library is called
// from that thread only. 0 before the first cycle and for a card without a sensor.
double FirstCardTemperature() {
  double value = 0;
  if (Hardware->Graphics && Hardware->Graphics->Count() > 0) Hardware->GetAsynData(hcGraphicsTemp, 0, value);
  return value;
}

}  // namespace

bool HardwarePresent() { return Hardware != nullptr; }

TSensorPresence ReadSensorPresence() {
  TSensorPresence presence;
  if (!Hardware) return presence;
  presence.cpu = Hardware->cpu && Hardware->cpu->HasTempSensor();
  presence.disks = Hardware->hdds && Hardware->hdds->HasTempSensor();
  presence.graphics = FirstCardTemperature() > 0;
  presence.board = Hardware->board && Hardware->board->HasTempSensor();
  return presence;
}

std::optional<double> ReadStripTemperature(TMoniItem item) {
  if (!Hardware) return std::nullopt;
  switch (item) {
    case miTempCpu:
      if (Hardware->cpu && Hardware->cpu->HasTempSensor()) return Hardware->cpu->CpuTemp[0];
      return std::nullopt;
    case miTempGpu:
      if (Hardware->Graphics && Hardware->Graphics->Count() > 0) return FirstCardTemperature();
      return std::nullopt;
    case miTempDisk:
      if (Hardware->hdds && Hardware->hdds->Count() > 0) return Hardware->hdds->GetDisk(0)->GetTemperature();
      return std::nullopt;
    case miBoard:
      if (Hardware->board && Hardware->board->HasTempSensor()) return Hardware->board->Temperatures[0].value;
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
  if (const double value = FirstCardTemperature(); value > 0) temperatures.push_back({miTempGpu, value});
  return temperatures;
}

}  // namespace vsm
