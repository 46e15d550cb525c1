#include "hardware/board/BoardMaps.h"

namespace vsm {

// Knows no maker or model yet: every board is unknown until the layout tables are filled in.
TBoardManufacturer ManufacturerFromName(const std::string&) { return TBoardManufacturer::MB_Unknown; }

TBoardModel ModelFromName(const std::string&) { return TBoardModel::BM_Unknown; }

}  // namespace vsm
