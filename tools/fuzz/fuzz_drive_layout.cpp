// Fuzz target: a DRIVE_LAYOUT_INFORMATION_EX reply.
#include <cstddef>
#include <cstdint>

#include "base/le_bytes.h"
#include "hardware/disk/DriveLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vsm::DecodeDriveLayoutEx(vsm::ByteView(data, size));
  return 0;
}
