#pragma once
// ACPI thermal zones as WMI offers them without any driver (MSAcpi_ThermalZoneTemperature in
// root\WMI, tenths of a kelvin). Many firmwares report a fixed made-up value or nonsense for a
// zone, so a zone counts only once its reading has moved during this run and while it lies
// within 1 to 125 degrees Celsius.
#include <cstdint>
#include <string>
#include <vector>

#include "hardware/superio/MainBord.h"
#include "sysinfo/wmi.h"

namespace vsm {

// The zone's short name from its WMI instance name: "ACPI\ThermalZone\TZ00_0" gives "TZ00".
std::string ThermalZoneName(const std::string& instanceName);

// Degrees Celsius of a reading in tenths of a kelvin.
double TenthKelvinToCelsius(int64_t tenthKelvin);

// The rule for one zone, fed one raw reading per cycle.
class TZoneReading {
 public:
  // A reading outside 1..125 degrees, or one identical to every reading before it, gives 0.
  double Add(double celsius);

 private:
  bool FHasFirst = false;
  bool FMoved = false;
  double FFirst = 0;
};

// Some zone of the array gives a reading.
bool AnyZoneReading(const TSenorArray& zones);

class TThermalZones {
 public:
  // Lists the zones WMI reports; none when it reports none or cannot run the query.
  explicit TThermalZones(WmiQueryFunction wmi);
  TThermalZones() = default;

  // Queries the zones again and applies the rules; a zone WMI no longer reports keeps its value.
  void Update();
  // One channel per zone, in WMI's order: the short name and degrees Celsius (0 = no reading).
  const TSenorArray& Zones() const { return FZones; }

 private:
  WmiQueryFunction FWmi;
  std::vector<std::string> FInstances;
  std::vector<TZoneReading> FRules;
  TSenorArray FZones;
};

}  // namespace vsm
