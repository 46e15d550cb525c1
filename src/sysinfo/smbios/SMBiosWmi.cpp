#include "sysinfo/smbios/SMBiosWmi.h"

#include <algorithm>

namespace vsm {

TSMBiosWmiTable ReadSMBiosFromWmi(const WmiQueryFunction& query) {
  const std::optional<WmiObjects> objects = query ? query(kWmiRootWmi, kRawSMBiosTablesQuery) : std::nullopt;
  if (!objects) throw ESMBiosError("WMI could not query MSSmBios_RawSMBiosTables");
  if (objects->empty()) throw ESMBiosError("WMI returned no SMBIOS table");

  const WmiObject& object = objects->front();
  const std::vector<uint8_t>& data = object.Get("SMBiosData").bytes;
  // Size counts the table bytes. Where it is missing (Wine's WMI has only SMBiosData) the array
  // gives it, and a Size larger than the array never stands for bytes that were not delivered.
  const WmiValue& size = object.Get("Size");
  const int64_t declared = size.kind == WmiValue::Kind::Null ? static_cast<int64_t>(data.size())
                                                             : std::max<int64_t>(WmiVarToInt64(size), 0);
  const size_t length = static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(declared), data.size()));

  TSMBiosWmiTable table;
  const auto byteOf = [&](std::string_view name) {
    return static_cast<uint8_t>(WmiVarToInt64(object.Get(name)));
  };
  table.Raw.DmiRevision = byteOf("DmiRevision");
  table.Raw.SMBIOSMajorVersion = byteOf("SmbiosMajorVersion");
  table.Raw.SMBIOSMinorVersion = byteOf("SmbiosMinorVersion");
  table.Raw.Length = static_cast<uint32_t>(length);
  table.Raw.SMBIOSTableData.assign(data.begin(), data.begin() + static_cast<ptrdiff_t>(length));
  table.DataString.reserve(data.size());
  for (uint8_t byte : data) {
    table.DataString += byte >= 32 && byte <= 126 ? static_cast<char>(byte) : '.';
  }
  if (table.Raw.Length == 0) throw ESMBiosError("WMI returned no SMBIOS table");
  return table;
}

}  // namespace vsm
