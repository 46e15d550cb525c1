#pragma once
// Board maker and model from the WMI Win32_BaseBoard strings. The comparison is exact and
// case-sensitive, without trimming: the tables list every spelling the makers are known to use.
#include <string>

#include "hardware/board/BoardIdentity.h"

namespace vsm {

// MB_Unknown for any string the table does not list.
TBoardManufacturer ManufacturerFromName(const std::string& manufacturer);
// BM_Unknown for any product string the table does not list.
TBoardModel ModelFromName(const std::string& product);

}  // namespace vsm
