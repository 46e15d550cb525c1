#include "hardware/page/BoardSensorRows.h"

#include <algorithm>

#include "base/DecimalText.h"

namespace vsm {

namespace {

struct TSensorGroup {
  int arrayIndex;
  int mark;
  const char* key;
  const char* builtIn;
  bool onlyWithReadings;  // left out when no channel reads anything
};

constexpr TSensorGroup kGroups[] = {{1, kMarkTemperature, "Temperatures", "Temperatures", false},
                                    {2, kMarkFan, "Fans", "Fans", false},
                                    {0, kMarkVoltage, "Voltages", "Voltages", false},
                                    {3, kMarkZone, "ThermalZones", "Thermal zones", true}};

int ArrayIndexOfMark(int mark) {
  for (const auto& group : kGroups) {
    if (group.mark == mark) return group.arrayIndex;
  }
  return -1;
}

}  // namespace

void AddBoardSensorGroups(
    TInfoTree& tree, const TBoardArrayReader& read,
    const std::function<std::string(const std::string&, const std::string&)>& translate) {
  TInfoTreeUpdate update(tree);
  for (const auto& group : kGroups) {
    const TSenorArray sensors = read(group.arrayIndex);
    if (sensors.empty()) continue;
    if (group.onlyWithReadings &&
        std::none_of(sensors.begin(), sensors.end(), [](const TSensor& sensor) { return sensor.value != 0; }))
      continue;
    TInfoRow& parent = tree.Add(translate(group.key, group.builtIn));
    parent.Expanded = true;
    for (size_t i = 0; i < sensors.size() && i <= kRowIndexMask; ++i) {
      if (sensors[i].value == 0) continue;
      parent.Add(sensors[i].name).Tag = static_cast<int>(i) | group.mark;
    }
  }
}

std::optional<std::string> BoardSensorValueText(int tag, const TBoardArrayReader& read,
                                                const std::function<std::string(double)>& temperature,
                                                std::string_view decimalSeparator) {
  const int mark = tag & kRowMarkMask;
  const int arrayIndex = ArrayIndexOfMark(mark);
  if (arrayIndex < 0) return std::nullopt;
  const TSenorArray sensors = read(arrayIndex);
  const size_t channel = static_cast<size_t>(tag & kRowIndexMask);
  if (channel >= sensors.size()) return std::nullopt;
  const double value = sensors[channel].value;
  switch (mark) {
    case kMarkVoltage: return FormatDecimal(value, 1, decimalSeparator) + " V";
    case kMarkFan: return FormatDecimal(value, 1, decimalSeparator) + " RPM";
    default: return temperature(value);
  }
}

}  // namespace vsm
