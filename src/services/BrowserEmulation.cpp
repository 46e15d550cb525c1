#include "services/BrowserEmulation.h"

namespace vsm {

std::optional<uint32_t> BrowserEmulationValue(unsigned ieMajorVersion) {
  if (ieMajorVersion < 8 || ieMajorVersion > 12) return std::nullopt;
  return ieMajorVersion * 1000;
}

}  // namespace vsm
