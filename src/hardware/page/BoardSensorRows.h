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
#include "sysinfo/pages/InfoTree.h"
#include "sysinfo/pages/RowMarks.h"

namespace vsm {

// The aggregator's board array of a kind: GetAsynData(16, index) with 0 voltages, 1 temperatures,
// 2 fans.
using TBoardArrayReader = std::function<TSenorArray(int index)>;

// Adds the groups after the board's rows, in the order temperatures, fans, voltages, captioned by
// `translate(key, builtIn)`; a kind without channels gets no group.
void AddBoardSensorGroups(TInfoTree& tree, const TBoardArrayReader& read,
                          const std::function<std::string(const std::string&, const std::string&)>& translate);

// The value text painted for a row tag: volts or RPM with one decimal and the given separator, or
// the temperature text; nothing for a tag without a board sensor mark or a channel that is no
// longer there.
std::optional<std::string> BoardSensorValueText(int tag, const TBoardArrayReader& read,
                                                const std::function<std::string(double)>& temperature,
                                                std::string_view decimalSeparator);

}  // namespace vsm
