#pragma once
// A plain-text listing of a TSMBios for developers (tools/smbios_dump): every structure in table
// order with what its object decodes.
#include <string>

#include "sysinfo/smbios/uSMBIOS.h"

namespace vsm {

std::string DescribeSMBiosStructures(const TSMBios& smbios);

}  // namespace vsm
