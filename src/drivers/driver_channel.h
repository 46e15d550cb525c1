#pragma once
// The seam between the driver-access classes and a kernel driver: one synchronous device-control
// request with byte buffers. The Windows implementation issues DeviceIoControl on the handle that
// the driver-manager library hands out; tests plug in simulated devices that decode the same bytes.
#include <cstdint>
#include <functional>
#include <memory>

namespace vsm {

class DriverChannel {
 public:
  virtual ~DriverChannel() = default;
  // False when no driver stands behind the channel; requests then fail at once.
  virtual bool IsOpen() const = 0;
  // Sends one request; returns whether the driver reported success. `out` may be null with
  // outSize 0.
  virtual bool Control(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize) = 0;
  // The same request, also reporting how many bytes the driver wrote into `out` (0 on failure),
  // for callers whose replies vary in length. A channel that cannot tell reports outSize.
  virtual bool ControlReturning(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                                uint32_t& returned) {
    bool ok = Control(code, in, inSize, out, outSize);
    returned = ok ? outSize : 0;
    return ok;
  }
};

// A channel that always knows how many bytes a reply holds: Control is ControlReturning without
// the count.
class CountingDriverChannel : public DriverChannel {
 public:
  bool Control(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize) final {
    uint32_t returned = 0;
    return ControlReturning(code, in, inSize, out, outSize, returned);
  }
  bool ControlReturning(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                        uint32_t& returned) override = 0;
};

// Opens a fresh channel: every driver-access object opens its own handle, as the driver allows.
using DriverChannelFactory = std::function<std::unique_ptr<DriverChannel>()>;

// Driver kinds the driver-manager library knows.
enum class DriverKind : int { HardwareAccess = 1, NetworkFilter = 2 };

}  // namespace vsm
