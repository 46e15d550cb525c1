// Fuzz target: an IDENTIFY DEVICE reply as the drive returned it, decoded as the disk page does.
#include <cstddef>
#include <cstdint>

#include "base/le_bytes.h"
#include "hardware/disk/AtaIdentify.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const vsm::ByteView block(data, size);
  vsm::DecodeIdentify(block);
  vsm::IdentifyCapacity(block);
  vsm::IdentifyString(block, 27, 46);
  return 0;
}
