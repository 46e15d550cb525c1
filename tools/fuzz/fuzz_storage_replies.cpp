// Fuzz target: the other storage replies the disk code decodes: drive geometry, the storage
// device descriptor, the seek-penalty and temperature properties, an NVMe health log reply and a
// volume's disk extents.
#include <cstddef>
#include <cstdint>

#include "base/le_bytes.h"
#include "hardware/disk/NvmeHealthLog.h"
#include "hardware/disk/StorageProperties.h"
#include "hardware/disk/VolumeExtents.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const vsm::ByteView reply(data, size);
  vsm::DecodeDriveGeometryEx(reply);
  vsm::DecodeStorageDeviceDescriptor(reply);
  vsm::DecodeIncursSeekPenalty(reply);
  vsm::DecodeStorageTemperature(reply);
  if (auto log = vsm::NvmeHealthLogOf(reply)) vsm::DecodeNvmeHealthLog(*log);
  vsm::DecodeVolumeDiskExtents(reply);
  return 0;
}
