#include "sysinfo/smbios/SMBiosIndex.h"

#include <limits>

#include "base/le_bytes.h"

namespace vsm {
namespace {

// Follows the structures from offset 0 and hands every complete header to `visit`, which returns
// false to stop. After a structure's formatted area the walk looks for the double NUL that closes
// its string set, never past the end of the data; the end-of-table structure ends the walk.
template <typename Visit>
void WalkStructures(std::span<const uint8_t> table, Visit visit) {
  // Entries keep their offset as a signed 32-bit number.
  constexpr size_t kMaxOffset = std::numeric_limits<int32_t>::max();
  const size_t length = table.size();
  size_t offset = 0;
  while (offset + 4 <= length && offset <= kMaxOffset) {
    const TSmBiosTableHeader header = ReadSMBiosHeader(table, offset);
    if (!visit(static_cast<int32_t>(offset), header) || header.TableType == EndofTable) return;
    offset += header.Length;
    if (offset + 1 > length) return;
    while (offset + 1 < length && (table[offset] != 0 || table[offset + 1] != 0)) ++offset;
    offset += 2;
  }
}

}  // namespace

TSmBiosTableHeader ReadSMBiosHeader(std::span<const uint8_t> table, size_t offset) {
  const ByteView bytes(table);
  TSmBiosTableHeader header;
  header.TableType = bytes.U8(offset);
  header.Length = bytes.U8(offset + 1);
  header.Handle = bytes.U16(offset + 2);
  return header;
}

ArrSMBiosTableEntry BuildSMBiosIndex(std::span<const uint8_t> table) {
  ArrSMBiosTableEntry entries;
  WalkStructures(table, [&](int32_t offset, const TSmBiosTableHeader& header) {
    entries.push_back({header, offset});
    return true;
  });
  return entries;
}

int32_t SearchSMBiosStructure(std::span<const uint8_t> table, uint8_t tableType) {
  int32_t found = -1;
  WalkStructures(table, [&](int32_t offset, const TSmBiosTableHeader& header) {
    if (header.TableType != tableType) return true;
    found = offset;
    return false;
  });
  return found;
}

std::string GetSMBiosStringAt(std::span<const uint8_t> table, int64_t entry, int64_t index) {
  const size_t length = table.size();
  if (index <= 0 || entry < 0 || entry >= static_cast<int64_t>(length)) return {};
  size_t position = static_cast<size_t>(entry);
  for (int64_t number = 1;; ++number) {
    // An empty string here is the NUL that closes the set.
    if (position >= length || table[position] == 0) return {};
    size_t end = position;
    while (end < length && table[end] != 0) ++end;
    if (number == index) {
      return std::string(table.begin() + position, table.begin() + end);
    }
    position = end + 1;
  }
}

}  // namespace vsm
