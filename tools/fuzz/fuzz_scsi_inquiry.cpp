// Fuzz target: a SCSI INQUIRY reply from the pass-through request.
#include <cstddef>
#include <cstdint>

#include "base/le_bytes.h"
#include "hardware/disk/ScsiInquiry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vsm::DecodeScsiInquiry(vsm::ByteView(data, size));
  return 0;
}
