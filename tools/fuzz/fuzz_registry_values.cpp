// Fuzz target: a registry value's data as text, for any type and any length. The first four bytes
// are the value type (the low bits mostly pick one of the types the conversion knows), the fifth
// asks for the type prefix, the rest is the data.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/RegistryRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  uint32_t type = 0;
  std::memcpy(&type, data, sizeof type);
  if ((type & 0x80000000u) == 0) type &= 0x0F;
  vsm::RegDataToString(type, data + 5, size - 5, (data[4] & 1) != 0);
  return 0;
}
