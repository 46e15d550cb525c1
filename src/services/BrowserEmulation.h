#pragma once
#include <cstdint>
#include <optional>

namespace vsm {

// The FEATURE_BROWSER_EMULATION value for the installed Internet Explorer's major version:
// 8000 .. 12000 for 8 .. 12, nothing for any other version.
std::optional<uint32_t> BrowserEmulationValue(unsigned ieMajorVersion);

}  // namespace vsm
