#pragma once
// Counts calls made on other threads and lets a test wait for them.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vsm::test {

class CallCounter {
 public:
  void Hit() {
    {
      std::lock_guard guard(lock_);
      ++count_;
    }
    changed_.notify_all();
  }
  // False when fewer calls came within 10 seconds.
  bool WaitFor(int count) {
    std::unique_lock guard(lock_);
    return changed_.wait_for(guard, std::chrono::seconds(10), [&] { return count_ >= count; });
  }
  int Count() {
    std::lock_guard guard(lock_);
    return count_;
  }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  int count_ = 0;
};

}  // namespace vsm::test
