#pragma once
// The program's bus locks, each with the machine-wide named mutex of its bus.
#include <memory>
#include <string_view>

#include "hardware/BusLock.h"

namespace vsm {

// Creates the named mutex, or opens it when another program created it first; nothing when
// neither works (the lock then orders the program's own threads only).
std::unique_ptr<TMachineMutex> OpenMachineMutex(std::string_view name);

// One lock per bus for the whole program, made on first use.
std::shared_ptr<TBusLock> IsaBusLock();  // Super I/O configuration and monitor ports
std::shared_ptr<TBusLock> PciBusLock();  // PCI configuration space

}  // namespace vsm
