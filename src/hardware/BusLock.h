#pragma once
// The lock around multi-step register sequences on one hardware bus (an index register, then a
// data register). One instance per bus is shared by chip detection, the chip objects and the
// processor objects of the program, and it also takes the machine-wide mutex that other
// monitoring programs take around the same bus, so that neither corrupts the other's readings.
#include <chrono>
#include <memory>
#include <mutex>

namespace vsm {

// A mutex that other programs on the machine can take too. Acquire and Release run on the same
// thread, as the Windows mutex requires.
class TMachineMutex {
 public:
  virtual ~TMachineMutex() = default;
  virtual bool Acquire(std::chrono::milliseconds timeout) = 0;
  virtual void Release() = 0;
};

// The names other monitoring programs use.
inline constexpr char kIsaBusMutexName[] = "Global\\Access_ISABUS.HTP.Method";  // Super I/O sequences
inline constexpr char kPciBusMutexName[] = "Global\\Access_PCI";                // PCI configuration sequences

class TBusLock;

enum class TBus { Isa, Pci };

// The lock of a bus for users that are given none: one per bus for the whole program, ordering
// its own threads only. The Windows shell passes the locks with the machine-wide mutexes instead.
std::shared_ptr<TBusLock> InProcessBusLock(TBus bus);

// Held bus; releases both locks when it goes.
class TBusGuard {
 public:
  TBusGuard() = default;
  TBusGuard(TBusGuard&& other) noexcept;
  TBusGuard& operator=(TBusGuard&& other) noexcept;
  TBusGuard(const TBusGuard&) = delete;
  TBusGuard& operator=(const TBusGuard&) = delete;
  ~TBusGuard();

  bool owns_lock() const { return bus_ != nullptr; }

 private:
  friend class TBusLock;
  explicit TBusGuard(TBusLock* bus) : bus_(bus) {}
  void Unlock();

  TBusLock* bus_ = nullptr;
};

class TBusLock {
 public:
  // Without a machine-wide mutex (none could be opened, or a test) only the program's own
  // threads are ordered.
  explicit TBusLock(std::unique_ptr<TMachineMutex> machineWide = nullptr)
      : machineWide_(std::move(machineWide)) {}
  TBusLock(const TBusLock&) = delete;
  TBusLock& operator=(const TBusLock&) = delete;

  // Waits at most `timeout` for both locks together; the guard owns nothing when time ran out,
  // and the caller then skips its sequence.
  TBusGuard Lock(std::chrono::milliseconds timeout);

 private:
  friend class TBusGuard;

  std::timed_mutex local_;
  std::unique_ptr<TMachineMutex> machineWide_;
};

}  // namespace vsm
