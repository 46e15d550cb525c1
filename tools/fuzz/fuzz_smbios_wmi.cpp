// Fuzz target: the SMBIOS table as WMI hands it over: the table bytes with a declared Size that
// may be missing, of another kind, negative, or larger or smaller than the bytes delivered. The
// first byte picks the kind of Size, the next eight its value, the next three the version
// properties; the rest is SMBiosData.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "sysinfo/smbios/SMBiosWmi.h"
#include "sysinfo/smbios/uSMBIOS.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 12) return 0;
  int64_t declared = 0;
  std::memcpy(&declared, data + 1, sizeof declared);
  const std::vector<uint8_t> table(data + 12, data + size);
  vsm::WmiObject object;
  object.Set("SMBiosData", vsm::WmiValue::Bytes(table));
  switch (data[0] % 5) {
    case 0: break;  // no Size, as Wine's WMI answers
    case 1: object.Set("Size", vsm::WmiValue::Int(declared)); break;
    case 2:
      object.Set("Size", vsm::WmiValue::Int(static_cast<int64_t>(table.size()) + (declared % 64)));
      break;
    case 3: object.Set("Size", vsm::WmiValue::Text(std::to_string(declared))); break;
    default: object.Set("Size", vsm::WmiValue::Real(static_cast<double>(declared))); break;
  }
  object.Set("DmiRevision", vsm::WmiValue::Int(data[9]));
  object.Set("SmbiosMajorVersion", vsm::WmiValue::Int(data[10]));
  object.Set("SmbiosMinorVersion", vsm::WmiValue::Int(data[11]));
  const vsm::WmiQueryFunction query = [&](std::string_view, std::string_view) {
    return std::optional<vsm::WmiObjects>(vsm::WmiObjects{object});
  };
  try {
    const vsm::TSMBiosWmiTable read = vsm::ReadSMBiosFromWmi(query);
    if (read.Raw.Length != read.Raw.SMBIOSTableData.size() || read.Raw.Length > table.size())
      __builtin_trap();
    const vsm::TSMBios smbios(read.Raw);
    smbios.SMBiosTablesList();
  } catch (const vsm::ESMBiosError&) {
  }
  return 0;
}
