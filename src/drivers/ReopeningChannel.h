#pragma once
// A driver channel that keeps asking for its driver while it has none: a driver that starts after
// the program (at log-on, or while its service is still starting) is used as soon as it is up.
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

#include "drivers/driver_channel.h"

namespace vsm {

class ReopeningDriverChannel final : public DriverChannel {
 public:
  using Clock = std::chrono::steady_clock;
  // Opens a channel at once. While none is open, IsOpen asks `open` again on a thread of its own,
  // at most once per `interval` and never twice at a time, so neither the caller nor a request
  // waits for the driver manager. An open channel is kept.
  ReopeningDriverChannel(DriverChannelFactory open, std::chrono::milliseconds interval,
                         std::function<Clock::time_point()> now = &Clock::now);
  // Waits for an attempt under way.
  ~ReopeningDriverChannel() override;
  ReopeningDriverChannel(const ReopeningDriverChannel&) = delete;
  ReopeningDriverChannel& operator=(const ReopeningDriverChannel&) = delete;

  bool IsOpen() const override;
  bool Control(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize) override;
  bool ControlReturning(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                        uint32_t& returned) override;

 private:
  std::shared_ptr<DriverChannel> Current() const;
  void AskAgainIfDue() const;

  const DriverChannelFactory open_;
  const std::chrono::milliseconds interval_;
  const std::function<Clock::time_point()> now_;
  mutable std::mutex lock_;
  mutable std::shared_ptr<DriverChannel> channel_;
  mutable Clock::time_point lastAsked_;
  mutable bool asking_ = false;
  mutable std::thread attempt_;
};

}  // namespace vsm
