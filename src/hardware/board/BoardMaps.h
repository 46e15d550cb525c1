#pragma once
// The board maker and model behind the strings WMI reports for the base board.
#include <string>

#include "hardware/board/BoardIdentity.h"

namespace vsm {

TBoardManufacturer ManufacturerFromName(const std::string& name);
TBoardModel ModelFromName(const std::string& name);

}  // namespace vsm
