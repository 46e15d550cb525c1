#pragma once
// The Windows product name and edition worked out from the version record.
#include <cstdint>
#include <string>

#include "sysinfo/os/OsPlatform.h"

namespace vsm {

struct OsProductName {
  std::string name;     // e.g. "Windows 7"; empty for versions without a name of their own
  std::string edition;  // e.g. "Professional x64"
  // "name edition" with blanks trimmed.
  std::string Combined() const;
};

// The system metrics, processor architecture, product type and registry value the rules need
// come from the platform.
OsProductName WorkOutProductName(const OsVersionRecord& version, const OsPlatform& platform);

// The edition text of a product type; empty for a type not in the table.
std::string EditionFromProductType(uint32_t productType);

}  // namespace vsm
