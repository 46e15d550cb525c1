#pragma once
// The seam for the event the network-filter driver signals when a process is created. On Windows
// it is an auto-reset event object whose handle value the driver is given (DriverEvent_win.h);
// tests use a simulated event that the simulated device signals.
#include <cstdint>
#include <functional>
#include <memory>

namespace vsm {

class DriverEvent {
 public:
  virtual ~DriverEvent() = default;
  // The value sent to the driver in the event registration.
  virtual uint32_t HandleValue() const = 0;
  virtual void Reset() = 0;
  // Sets the event: the driver does this, and the owner does it to wake a waiting thread.
  virtual void Signal() = 0;
  // Blocks without a time-out until the event is set (and resets it); false when the wait failed.
  virtual bool Wait() = 0;
};

// Creates an unset auto-reset event; null when that fails.
using DriverEventFactory = std::function<std::unique_ptr<DriverEvent>()>;

}  // namespace vsm
