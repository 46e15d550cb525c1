#include "drivers/ReopeningChannel.h"

#include <utility>

namespace vsm {

namespace {

std::shared_ptr<DriverChannel> OpenedOrNull(const DriverChannelFactory& open) {
  std::shared_ptr<DriverChannel> channel = open ? open() : nullptr;
  return channel && channel->IsOpen() ? channel : nullptr;
}

}  // namespace

ReopeningDriverChannel::ReopeningDriverChannel(DriverChannelFactory open, std::chrono::milliseconds interval,
                                               std::function<Clock::time_point()> now)
    : open_(std::move(open)), interval_(interval), now_(std::move(now)) {
  channel_ = OpenedOrNull(open_);
  lastAsked_ = now_();
}

ReopeningDriverChannel::~ReopeningDriverChannel() {
  std::thread attempt;
  {
    std::lock_guard guard(lock_);
    attempt = std::move(attempt_);
  }
  if (attempt.joinable()) attempt.join();
}

std::shared_ptr<DriverChannel> ReopeningDriverChannel::Current() const {
  std::lock_guard guard(lock_);
  if (!channel_) AskAgainIfDue();
  return channel_;
}

void ReopeningDriverChannel::AskAgainIfDue() const {
  if (asking_ || now_() - lastAsked_ < interval_) return;
  // The previous attempt has ended (it cleared asking_ last, under the lock).
  if (attempt_.joinable()) attempt_.join();
  asking_ = true;
  attempt_ = std::thread([this] {
    std::shared_ptr<DriverChannel> channel = OpenedOrNull(open_);
    std::lock_guard guard(lock_);
    if (channel) channel_ = std::move(channel);
    lastAsked_ = now_();
    asking_ = false;
  });
}

bool ReopeningDriverChannel::IsOpen() const { return Current() != nullptr; }

bool ReopeningDriverChannel::Control(uint32_t code, const void* in, uint32_t inSize, void* out,
                                     uint32_t outSize) {
  const auto channel = Current();
  return channel && channel->Control(code, in, inSize, out, outSize);
}

bool ReopeningDriverChannel::ControlReturning(uint32_t code, const void* in, uint32_t inSize, void* out,
                                              uint32_t outSize, uint32_t& returned) {
  returned = 0;
  const auto channel = Current();
  return channel && channel->ControlReturning(code, in, inSize, out, outSize, returned);
}

}  // namespace vsm
