#pragma once
// Ending the process of a popup row from its button, without the window: the window shows the
// outcome (the list filled again, or the refusal message).
#include <functional>

#include "software/ProcessItem.h"

namespace vsm {

enum class TPopupEndOutcome { None, Ended, Refused };

// Ends an item's process; true when it is gone.
using TEndProcessItem = std::function<bool(TProcessItem*)>;

// A row without a process does nothing. An ended row lets go of its process, so a second click
// before the list is filled again does not reach a process that may have taken the id.
TPopupEndOutcome EndPopupRowProcess(TProcessItemRef& rowItem, const TEndProcessItem& endProcess);

}  // namespace vsm
