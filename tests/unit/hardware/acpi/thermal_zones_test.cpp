#include <gtest/gtest.h>

#include <deque>

#include "hardware/acpi/ThermalZones.h"
#include "hardware/page/BoardSensorRows.h"
#include "hardware/uHardWare.h"

namespace vsm {
namespace {

TEST(ThermalZones, NamesAndUnits) {
  const struct {
    const char* instance;
    const char* name;
  } names[] = {
      {"ACPI\\ThermalZone\\TZ00_0", "TZ00"},
      {"ACPI\\ThermalZone\\THM_0", "THM"},
      {"ACPI\\ThermalZone\\CPUZ_12", "CPUZ"},
      {"ACPI\\ThermalZone\\TZ_A", "TZ_A"},  // not an instance number
      {"TZ01", "TZ01"},
      {"ACPI\\ThermalZone\\", "ACPI\\ThermalZone\\"},
  };
  for (const auto& c : names) EXPECT_EQ(ThermalZoneName(c.instance), c.name) << c.instance;
  EXPECT_DOUBLE_EQ(TenthKelvinToCelsius(3181), 45.0 - 0.05);
  EXPECT_DOUBLE_EQ(TenthKelvinToCelsius(2732), 0.05);
}

// A zone counts once its reading has moved, and only inside 1..125 degrees.
TEST(ThermalZones, StuckAndImpossibleReadingsCountAsNone) {
  const struct {
    const char* what;
    std::vector<double> readings;
    std::vector<double> shown;
  } cases[] = {
      {"never moves", {27.85, 27.85, 27.85}, {0, 0, 0}},
      {"moves", {40, 41, 41, 40}, {0, 41, 41, 40}},
      {"back to the first value", {40, 42, 40}, {0, 42, 40}},
      {"too hot", {40, 126, 125}, {0, 0, 125}},
      {"too cold", {5, 0.5, 1}, {0, 0, 1}},
      {"below freezing", {-273.15, -10}, {0, 0}},
  };
  for (const auto& c : cases) {
    TZoneReading zone;
    std::vector<double> shown;
    for (double reading : c.readings) shown.push_back(zone.Add(reading));
    EXPECT_EQ(shown, c.shown) << c.what;
  }
}

WmiObject Zone(const char* instance, int64_t tenthKelvin) {
  return {{"InstanceName", WmiValue::Text(instance)}, {"CurrentTemperature", WmiValue::Int(tenthKelvin)}};
}

// Answers the queries in turn from a script and records where they went.
struct ScriptedWmi {
  std::deque<std::optional<WmiObjects>> answers;
  std::vector<std::string> asked;
  WmiQueryFunction Function() {
    return [this](std::string_view nameSpace, std::string_view wql) -> std::optional<WmiObjects> {
      asked.push_back(std::string(nameSpace) + "|" + std::string(wql));
      if (answers.empty()) return std::nullopt;
      auto answer = answers.front();
      answers.pop_front();
      return answer;
    };
  }
};

TEST(ThermalZones, ZonesFromWmiFollowTheirReadings) {
  ScriptedWmi wmi;
  wmi.answers = {WmiObjects{Zone("ACPI\\ThermalZone\\TZ00_0", 3010), Zone("ACPI\\ThermalZone\\TZ01_0", 3132)},
                 WmiObjects{Zone("ACPI\\ThermalZone\\TZ00_0", 3010), Zone("ACPI\\ThermalZone\\TZ01_0", 3132)},
                 WmiObjects{Zone("ACPI\\ThermalZone\\TZ00_0", 3010), Zone("ACPI\\ThermalZone\\TZ01_0", 3182)},
                 std::nullopt,                                          // WMI fails once
                 WmiObjects{Zone("ACPI\\ThermalZone\\TZ00_0", 3010)}};  // one zone not reported
  TThermalZones zones(wmi.Function());
  ASSERT_EQ(zones.Zones().size(), 2u);
  EXPECT_EQ(zones.Zones()[0].name, "TZ00");
  EXPECT_EQ(zones.Zones()[1].name, "TZ01");
  EXPECT_EQ(wmi.asked[0],
            "root\\WMI|SELECT InstanceName, CurrentTemperature FROM MSAcpi_ThermalZoneTemperature");

  zones.Update();
  EXPECT_FALSE(AnyZoneReading(zones.Zones()));
  zones.Update();
  EXPECT_EQ(zones.Zones()[0].value, 0);  // 27.85 degrees for ever: a made-up value
  EXPECT_DOUBLE_EQ(zones.Zones()[1].value, 45.05);
  EXPECT_TRUE(AnyZoneReading(zones.Zones()));
  zones.Update();
  zones.Update();
  EXPECT_DOUBLE_EQ(zones.Zones()[1].value, 45.05);
}

TEST(ThermalZones, NoZonesWhenWmiHasNone) {
  ScriptedWmi failing;
  TThermalZones none(failing.Function());
  EXPECT_TRUE(none.Zones().empty());
  none.Update();
  EXPECT_EQ(failing.asked.size(), 1u);  // not asked again
  EXPECT_TRUE(TThermalZones(WmiQueryFunction{}).Zones().empty());
}

TEST(ThermalZones, TheAggregatorSnapshotsTheZonesUnderFlag128) {
  ScriptedWmi wmi;
  wmi.answers = {WmiObjects{Zone("ACPI\\ThermalZone\\THM_0", 3000)},
                 WmiObjects{Zone("ACPI\\ThermalZone\\THM_0", 3000)},
                 WmiObjects{Zone("ACPI\\ThermalZone\\THM_0", 3100)}};
  THardwareFactory factory;
  factory.zones = [&wmi] { return std::make_unique<TThermalZones>(wmi.Function()); };
  THardware hardware(factory);
  TSenorArray zones;
  hardware.GetAsynData(hcZoneTemp, 0, zones);
  ASSERT_EQ(zones.size(), 1u);
  EXPECT_EQ(zones[0].name, "THM");
  EXPECT_EQ(zones[0].value, 0);
  hardware.update(hcBoard);  // another class leaves the zones alone
  EXPECT_EQ(wmi.answers.size(), 2u);
  hardware.update(hcZoneTemp);
  hardware.update(0);
  hardware.GetAsynData(hcZoneTemp, 0, zones);
  EXPECT_DOUBLE_EQ(zones[0].value, 36.85);
  TSenorArray kept{{"kept", 1}};
  hardware.GetAsynData(hcZoneTemp, 1, kept);
  EXPECT_EQ(kept[0].name, "kept");

  THardware without{THardwareFactory{}};
  without.update(0);
  TSenorArray empty{{"kept", 1}};
  without.GetAsynData(hcZoneTemp, 0, empty);
  EXPECT_TRUE(empty.empty());
}

// On the mainboard section the zones form a group of their own, after the board's groups and
// only when some zone reads something.
TEST(ThermalZones, MainboardSectionGroup) {
  TSenorArray zones = {{"TZ00", 0}, {"TZ01", 45}};
  auto read = [&zones](int index) -> TSenorArray {
    if (index == 1) return {{"CPU", 41}};
    return index == 3 ? zones : TSenorArray{};
  };
  auto translate = [](const std::string& key, const std::string& builtIn) { return key + "=" + builtIn; };
  TInfoTree tree;
  AddBoardSensorGroups(tree, read, translate);
  ASSERT_EQ(tree.Rows().size(), 2u);
  EXPECT_EQ(tree.Rows()[1]->Caption, "ThermalZones=Thermal zones");
  ASSERT_EQ(tree.Rows()[1]->Children().size(), 1u);
  EXPECT_EQ(tree.Rows()[1]->Children()[0]->Caption, "TZ01");
  const int tag = tree.Rows()[1]->Children()[0]->Tag;
  EXPECT_EQ(tag, 0x5001);
  EXPECT_EQ(BoardSensorValueText(
                tag, read, [](double c) { return std::to_string(int(c)) + " C"; }, "."),
            "45 C");

  zones = {{"TZ00", 0}};
  TInfoTree silent;
  AddBoardSensorGroups(silent, read, translate);
  EXPECT_EQ(silent.Rows().size(), 1u);
}

}  // namespace
}  // namespace vsm
