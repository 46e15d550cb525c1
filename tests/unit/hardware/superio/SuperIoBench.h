#pragma once
// Shared pieces of the Super I/O tests: a simulated machine, and a way to keep a board's bus
// busy from another thread while the test thread runs an update.
#include <functional>

#include "BusHolder.h"
#include "hardware/superio/MainBord.h"
#include "sim/SimHardware.h"

namespace vsm::test {

// Runs `action` while another thread holds `board`'s bus.
inline void WhileDriverLockIsHeld(TMainBord& board, const std::function<void()>& action) {
  WhileBusIsHeld(*board.bus, action);
}

// A WMI seam that answers no query.
inline std::optional<WmiObjects> NoWmi(std::string_view, std::string_view) { return std::nullopt; }

}  // namespace vsm::test
