#pragma once
// One running process as the process monitor knows it, and the engine's list of them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vsm {

// A process handle an item keeps open for its lifetime. The Windows shell supplies how it is
// closed, so the core can own it without knowing the operating system.
class TProcessHandle {
 public:
  using Closer = void (*)(uintptr_t value);
  TProcessHandle() = default;
  TProcessHandle(uintptr_t value, Closer closer) : value_(value), closer_(closer) {}
  ~TProcessHandle() { Close(); }
  TProcessHandle(TProcessHandle&& other) noexcept;
  TProcessHandle& operator=(TProcessHandle&& other) noexcept;
  TProcessHandle(const TProcessHandle&) = delete;
  TProcessHandle& operator=(const TProcessHandle&) = delete;

  uintptr_t Value() const { return value_; }
  explicit operator bool() const { return value_ != 0; }
  void Close();

 private:
  uintptr_t value_ = 0;
  Closer closer_ = nullptr;
};

// CPU-time baseline for the next CPU measurement of a process.
struct TCPUUsageData {
  int64_t oldUser = 0;          // user-mode time at the last measurement, 100-ns units
  int64_t oldKernel = 0;        // kernel-mode time, same unit
  uint32_t LastUpdateTime = 0;  // tick count in ms at the last measurement
  float LastUsage = 0;          // the percentage computed then
};

struct TProcessItem {
  float CPUuse = 0;        // share of the whole machine's CPU in the last period, percent
  uint64_t Memoryuse = 0;  // bytes (private bytes, or the private working set for the popup)
  uint32_t ProcessID = 0;
  uint32_t ParentId = 0;
  int64_t byte_in = -1;  // traffic totals from the filter driver; -1 = unknown
  int64_t byte_out = -1;
  int32_t RecvDataPerS = -1;  // bytes per second over the last period; -1 = unknown
  int32_t SendDataPerS = -1;
  std::string ExePath;
  std::string ProductName;
  std::string ExeUser;
  std::string Desc;
  std::string ExeName;
  bool isSystem = false;
  bool isDisableNet = false;
  TProcessHandle hProc;  // opened for query and memory read; empty when none
  TCPUUsageData CPUData;
  // When the process started (100-ns units since 1601); 0 when unknown. With the id it tells
  // this process from a later one that was given the same id.
  uint64_t CreationTime = 0;
  // Monotonic milliseconds at which byte_in and byte_out were read, so that a rate covers the
  // period's real length.
  uint64_t TrafficReadMs = 0;
};

// Who a process is: ids are reused, start times are not.
struct TProcessIdentity {
  uint32_t id = 0;
  uint64_t created = 0;  // 0: unknown
};

inline TProcessIdentity IdentityOf(const TProcessItem& item) { return {item.ProcessID, item.CreationTime}; }
// The same id, and the same start time where both are known (without them only the id can tell).
inline bool SameProcess(const TProcessIdentity& a, const TProcessIdentity& b) {
  return a.id == b.id && (a.created == 0 || b.created == 0 || a.created == b.created);
}
inline bool IdentityIdLess(const TProcessIdentity& a, const TProcessIdentity& b) { return a.id < b.id; }
// Whether identities sorted by id hold the same process.
bool ContainsProcess(const std::vector<TProcessIdentity>& sorted, const TProcessIdentity& process);

// Items are shared: a page that still shows an item the engine has taken out of its list keeps
// it alive (and its handle open) until it drops its own reference.
using TProcessItemRef = std::shared_ptr<TProcessItem>;

// The engine's processes in snapshot order; new processes are appended.
class TProcessList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  // Null for an index out of range.
  TProcessItemRef GetItem(int index) const;
  void PutItem(int index, TProcessItemRef item);
  void Add(TProcessItemRef item) { items_.push_back(std::move(item)); }
  // Takes the list's reference out; the item lives on while others hold it.
  void Delete(int index);
  // Takes the item out by identity; false when it is not in the list.
  bool Remove(const TProcessItem* item);
  // For readers that sort the list in place while they hold the engine's lock.
  std::vector<TProcessItemRef>& Items() { return items_; }
  const std::vector<TProcessItemRef>& Items() const { return items_; }

 private:
  std::vector<TProcessItemRef> items_;
};

}  // namespace vsm
