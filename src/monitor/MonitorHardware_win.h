#pragma once
// What the strip and the popup read from the hardware aggregator they are given. Without an
// aggregator (null) there is nothing to read: no sensors, empty cells, an empty temperature panel.
#include <optional>
#include <vector>

#include "monitor/MonitorFloatRules.h"
#include "monitor/MonitorPopupRules.h"

namespace vsm {

class THardware;

// Which components have a temperature sensor (the graphics card's from the latest snapshot).
TSensorPresence ReadSensorPresence(THardware* hardware);

// The strip's reading for a temperature item, straight from the component (the graphics card's
// and the zones' from the latest snapshot; a zone's is the first that reads something); nothing
// when the cell stays empty.
std::optional<double> ReadStripTemperature(THardware* hardware, TMoniItem item);

// The popup's temperatures from the aggregator's snapshot, in display order: processor, board,
// disk, graphics, each only when the component has a sensor, then every thermal zone that reads
// something.
std::vector<TPanelTemperature> ReadPanelTemperatures(THardware* hardware);

}  // namespace vsm
