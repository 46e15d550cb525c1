#pragma once
// The mainboard section's live sensor groups on the hardware page: a group row per kind
// (temperatures, fans, voltages) with one row per channel that reads something when the section
// is built. A channel row's tag is its index with the kind's mark; its value is painted on every
// draw from the aggregator's latest array and never stored, so a saved report leaves it empty.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "hardware/superio/MainBord.h"
#include "pages/RowMarks.h"
#include "ui/InfoTree.h"

namespace vsm {

// The aggregator's board array of a kind: GetAsynData(16, index) with 0 voltages, 1 temperatures,
// 2 fans; 3 stands for the thermal zones, GetAsynData(128, 0).
using TBoardArrayReader = std::function<TSenorArray(int index)>;

// Adds the groups after the board's rows, in the order temperatures, fans, voltages, thermal
// zones, captioned by `translate(key, builtIn)`; a kind without channels gets no group, nor do
// thermal zones of which none reads anything.
void AddBoardSensorGroups(
    TInfoTree& tree, const TBoardArrayReader& read,
    const std::function<std::string(const std::string&, const std::string&)>& translate);

// The value text painted for a row tag: volts or RPM with one decimal and the given separator, or
// the temperature text (of a board channel or a zone); nothing for a tag without a board sensor or
// zone mark or a channel that is no longer there.
std::optional<std::string> BoardSensorValueText(int tag, const TBoardArrayReader& read,
                                                const std::function<std::string(double)>& temperature,
                                                std::string_view decimalSeparator);

}  // namespace vsm
