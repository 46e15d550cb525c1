// Fuzz target: a SMART READ DATA reply, read as the attribute table and, for a model taken from
// the reply's last bytes, as the disk type and temperature the program would report.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/le_bytes.h"
#include "hardware/disk/DiskType.h"
#include "hardware/disk/SmartData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const vsm::ByteView block(data, size);
  const std::string model(reinterpret_cast<const char*>(data) + (size > 512 ? 512 : size),
                          size > 512 ? size - 512 : 0);
  for (const vsm::TSmartAttribute& attribute : vsm::SmartAttributes(block)) {
    vsm::FindSmartAttribute(block, attribute.Id);
  }
  const vsm::THddtypes type = vsm::ChooseDiskType(model, block);
  if (std::optional<uint8_t> id = vsm::TemperatureAttributeId(type)) {
    if (std::optional<int> slot = vsm::FindSmartAttribute(block, *id)) {
      if (auto attribute = vsm::SmartAttributeAt(block, *slot)) vsm::TemperatureOf(type, *attribute);
    }
  }
  return 0;
}
