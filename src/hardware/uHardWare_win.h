#pragma once
// The hardware aggregator built from this machine's real components.
#include <memory>

#include "hardware/uHardWare.h"

namespace vsm {

// Detects everything once: SMBIOS table, network adapters, sound devices, graphics cards,
// processor, board chip, disks. Never fails; without drivers the components take their generic
// forms.
std::unique_ptr<THardware> CreateHardware();

}  // namespace vsm
