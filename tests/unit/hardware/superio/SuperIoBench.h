#pragma once
// Shared pieces of the Super I/O tests: a simulated machine, and a way to keep a board's driver
// lock busy from another thread while the test thread runs an update.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "hardware/superio/MainBord.h"
#include "sim/SimHardware.h"

namespace vsm::test {

// Runs `action` while another thread holds `board`'s driver lock.
inline void WhileDriverLockIsHeld(TMainBord& board, const std::function<void()>& action) {
  std::mutex m;
  std::condition_variable cv;
  bool held = false, done = false;
  std::thread holder([&] {
    std::unique_lock own(board.driver->mutex);
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

// A WMI seam that answers no query.
inline std::optional<WmiObjects> NoWmi(std::string_view, std::string_view) { return std::nullopt; }

}  // namespace vsm::test
