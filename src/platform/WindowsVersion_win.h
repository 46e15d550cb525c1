#pragma once
// The version of the running Windows as the kernel reports it, whatever the manifest declares.
#include <cstdint>

namespace vsm {

struct TWindowsVersion {
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t build = 0;
};

// Read once; all zero where the kernel does not say.
TWindowsVersion TrueWindowsVersion();

}  // namespace vsm
