#pragma once
// Obtaining the SMBIOS table through WMI: the first MSSmBios_RawSMBiosTables object in "root\WMI".
#include <functional>
#include <string>
#include <string_view>

#include "sysinfo/smbios/SMBiosTypes.h"
#include "sysinfo/wmi.h"

namespace vsm {

constexpr std::string_view kRawSMBiosTablesQuery = "SELECT * FROM MSSmBios_RawSMBiosTables";

struct TSMBiosWmiTable {
  TRawSMBIOSData Raw;
  std::string DataString;  // every delivered byte: itself when printable ASCII, else "."
};

// Raises ESMBiosError when WMI cannot run the query or answers no table.
TSMBiosWmiTable ReadSMBiosFromWmi(const WmiQueryFunction& query);

}  // namespace vsm
