#pragma once
// Process-creation events as Windows event objects: the driver is given the handle value and sets
// the event in kernel mode.
#include "software/DriverEvent.h"

namespace vsm {

// Unnamed auto-reset events, initially not set; the factory yields null when creation fails.
DriverEventFactory WindowsDriverEventFactory();

}  // namespace vsm
