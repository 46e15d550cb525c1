#include "hardware/acpi/ThermalZones.h"

#include <algorithm>
#include <utility>

namespace vsm {

namespace {

constexpr std::string_view kZoneQuery =
    "SELECT InstanceName, CurrentTemperature FROM MSAcpi_ThermalZoneTemperature";
constexpr double kLowestCelsius = 1;
constexpr double kHighestCelsius = 125;

}  // namespace

std::string ThermalZoneName(const std::string& instanceName) {
  std::string name = instanceName.substr(instanceName.find_last_of('\\') + 1);
  // WMI appends the instance number of the zone's device ("_0").
  const size_t underscore = name.find_last_of('_');
  if (underscore != std::string::npos && underscore > 0 && underscore + 1 < name.size() &&
      std::all_of(name.begin() + static_cast<long>(underscore) + 1, name.end(),
                  [](char c) { return c >= '0' && c <= '9'; }))
    name.erase(underscore);
  return name.empty() ? instanceName : name;
}

double TenthKelvinToCelsius(int64_t tenthKelvin) { return (double(tenthKelvin) - 2731.5) / 10.0; }

double TZoneReading::Add(double celsius) {
  if (!FHasFirst) {
    FHasFirst = true;
    FFirst = celsius;
  } else if (celsius != FFirst) {
    FMoved = true;
  }
  if (!FMoved || celsius < kLowestCelsius || celsius > kHighestCelsius) return 0;
  return celsius;
}

TThermalZones::TThermalZones(WmiQueryFunction wmi) : FWmi(std::move(wmi)) {
  if (!FWmi) return;
  auto objects = FWmi(kWmiRootWmi, kZoneQuery);
  if (!objects) return;
  for (const WmiObject& object : *objects) {
    const std::string instance = object.GetText("InstanceName");
    FInstances.push_back(instance);
    TSensor zone;
    zone.name = ThermalZoneName(instance);
    FZones.push_back(zone);
  }
  FRules.resize(FInstances.size());
}

void TThermalZones::Update() {
  if (FInstances.empty() || !FWmi) return;
  auto objects = FWmi(kWmiRootWmi, kZoneQuery);
  if (!objects) return;
  for (const WmiObject& object : *objects) {
    const auto found = std::find(FInstances.begin(), FInstances.end(), object.GetText("InstanceName"));
    if (found == FInstances.end()) continue;
    const auto i = static_cast<size_t>(found - FInstances.begin());
    FZones[i].value = FRules[i].Add(TenthKelvinToCelsius(WmiVarToInt64(object.Get("CurrentTemperature"))));
  }
}

bool AnyZoneReading(const TSenorArray& zones) {
  return std::any_of(zones.begin(), zones.end(), [](const TSensor& zone) { return zone.value != 0; });
}

}  // namespace vsm
