#pragma once
// Walking the raw structure table. Every function here reads only inside the given bytes, whatever
// the lengths and string sets inside them claim.
#include <cstdint>
#include <span>
#include <string>

#include "sysinfo/smbios/SMBiosTypes.h"

namespace vsm {

// One entry per structure in table order, the end-of-table structure (type 127) included as the
// last one. A table without it ends at the last complete header.
ArrSMBiosTableEntry BuildSMBiosIndex(std::span<const uint8_t> table);

// Offset of the first structure of the type, or -1 when the walk reaches the end of the data or
// the end-of-table structure first.
int32_t SearchSMBiosStructure(std::span<const uint8_t> table, uint8_t tableType);

// String number `index` (1-based) of the string set that starts at byte `entry`. Empty for 0, for
// a number past the set's closing NUL and for a set that lies outside the table.
std::string GetSMBiosStringAt(std::span<const uint8_t> table, int64_t entry, int64_t index);

// The header at `offset`; the caller makes sure four bytes are there.
TSmBiosTableHeader ReadSMBiosHeader(std::span<const uint8_t> table, size_t offset);

}  // namespace vsm
