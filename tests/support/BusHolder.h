#pragma once
// Runs an action while another thread holds a bus lock, as a second user of the bus would.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "hardware/BusLock.h"

namespace vsm::test {

inline void WhileBusIsHeld(TBusLock& bus, const std::function<void()>& action) {
  std::mutex m;
  std::condition_variable cv;
  bool held = false, done = false;
  std::thread holder([&] {
    TBusGuard own = bus.Lock(std::chrono::seconds(10));
    std::unique_lock state(m);
    held = true;
    cv.notify_all();
    cv.wait(state, [&] { return done; });
  });
  {
    std::unique_lock state(m);
    cv.wait(state, [&] { return held; });
  }
  action();
  {
    std::lock_guard state(m);
    done = true;
  }
  cv.notify_all();
  holder.join();
}

}  // namespace vsm::test
