#pragma once
// What the strip and the popup read from the hardware aggregator. Without an aggregator there is
// nothing to read: no sensors, empty cells, an empty temperature panel.
#include <optional>
#include <vector>

#include "monitor/MonitorFloatRules.h"
#include "monitor/MonitorPopupRules.h"

namespace vsm {

// Whether the hardware aggregator exists.
bool HardwarePresent();

// Which components have a temperature sensor (the graphics card's from the latest snapshot).
TSensorPresence ReadSensorPresence();

// The strip's reading for a temperature item, straight from the component (the graphics card's
// from the latest snapshot); nothing when the cell stays empty.
std::optional<double> ReadStripTemperature(TMoniItem item);

// The popup's temperatures from the aggregator's snapshot, in display order: processor, board,
// disk, graphics, each only when the component has a sensor.
std::vector<TPanelTemperature> ReadPanelTemperatures();

}  // namespace vsm
