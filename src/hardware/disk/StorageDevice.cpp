#include "hardware/disk/StorageDevice.h"

#include <algorithm>

namespace vsm {

namespace {

constexpr size_t kMaxGrowingReply = 1 << 20;

}  // namespace

std::optional<std::vector<uint8_t>> StorageRequest(TStorageDevice& device, uint32_t code,
                                                   const std::vector<uint8_t>& in, size_t outSize) {
  std::vector<uint8_t> out(outSize, 0);
  TStorageReply reply = device.Control(code, in, out);
  if (!reply.ok) return std::nullopt;
  out.resize(std::min<size_t>(reply.returned, outSize));
  return out;
}

std::optional<std::vector<uint8_t>> StorageRequestGrowing(TStorageDevice& device, uint32_t code,
                                                          size_t initialSize, size_t step,
                                                          uint32_t retryError, uint32_t otherRetryError) {
  for (size_t size = initialSize; size <= kMaxGrowingReply; size += step) {
    std::vector<uint8_t> out(size, 0);
    TStorageReply reply = device.Control(code, {}, out);
    if (reply.ok) {
      out.resize(std::min<size_t>(reply.returned, size));
      return out;
    }
    if (reply.error != retryError && reply.error != otherRetryError) return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace vsm
