// Fuzz target: the buffers GetAdaptersInfo and GetNetworkParams fill, whose records link to each
// other by addresses inside the buffer. The first four bytes are the buffer's address.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/le_bytes.h"
#include "software/network/IpHelperRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const uint32_t address = vsm::ByteView(data, 4).U32(0);
  const std::span<const uint8_t> buffer(data + 4, size - 4);
  const vsm::AnsiDecoder decode = [](std::string_view ansi) { return std::string(ansi); };
  vsm::DecodeAdaptersInfo(buffer, address, decode);
  vsm::DecodeNetworkParams(buffer, address, decode);
  return 0;
}
