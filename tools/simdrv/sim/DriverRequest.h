#pragma once
// One request as a simulated device received it, for tests that check the wire format.
#include <cstdint>
#include <vector>

namespace vsm::sim {

struct DriverRequest {
  uint32_t code;
  std::vector<uint8_t> in;
  uint32_t outSize;
};

}  // namespace vsm::sim
