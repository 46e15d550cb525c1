#pragma once
// A scripted operating system for the software engine: the test says which processes run, what
// CPU share and private bytes each reports and what the memory and CPU load are; the fake fills
// items the way the real snapshot does (only new processes, `known` replaced by the snapshot).
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "software/SoftwarePlatform.h"

namespace vsm::test {

class FakeSoftwarePlatform final : public SoftwarePlatform {
 public:
  struct Process {
    uint32_t id = 0;
    std::string name;
    float cpu = 0;
    uint64_t privateBytes = 0;
    std::string path{};    // ExePath of the item
    uint64_t created = 0;  // start time; 0: the system does not tell
  };
  struct State {
    std::mutex lock;
    std::vector<Process> running;
    int memoryLoad = 0;
    int cpuLoad = 0;
    int snapshots = 0;
    int privateByteReads = 0;
    std::vector<uint32_t> opened;  // processes an item was made for, in order
    // While `holdCpuLoad` is set, TotalCpuLoad waits inside, so that a test can keep a sample
    // going; `changed` announces entries and the release.
    bool holdCpuLoad = false;
    int cpuLoadCallsInside = 0;
    int mostCpuLoadCallsInside = 0;
    std::condition_variable changed;
    // The steady clock: each sample moves it on by one period, at its CPU reading or, in a pass
    // of the process list alone, at its snapshot.
    uint64_t nowMs = 0;
    uint64_t periodMs = 1000;
    bool clockMovedForSample = false;
  };

  explicit FakeSoftwarePlatform(std::shared_ptr<State> state) : state_(std::move(state)) {}

  // Handles of items are closed through this counter (handle value = process id).
  static std::atomic<int>& ClosedHandles() {
    static std::atomic<int> closed{0};
    return closed;
  }

  int MemoryLoad() override {
    std::lock_guard guard(state_->lock);
    return state_->memoryLoad;
  }
  int TotalCpuLoad() override {
    std::unique_lock guard(state_->lock);
    ++state_->cpuLoadCallsInside;
    state_->mostCpuLoadCallsInside = std::max(state_->mostCpuLoadCallsInside, state_->cpuLoadCallsInside);
    state_->changed.notify_all();
    state_->changed.wait(guard, [this] { return !state_->holdCpuLoad; });
    --state_->cpuLoadCallsInside;
    state_->nowMs += state_->periodMs;
    state_->clockMovedForSample = true;
    return state_->cpuLoad;
  }
  void FillProcessList(TProcessList& list, std::vector<TProcessIdentity>* known) override {
    std::lock_guard guard(state_->lock);
    ++state_->snapshots;
    if (!state_->clockMovedForSample) state_->nowMs += state_->periodMs;
    state_->clockMovedForSample = false;
    std::vector<TProcessIdentity> snapshot;
    for (const Process& process : state_->running) {
      const TProcessIdentity identity{process.id, process.created};
      snapshot.push_back(identity);
      if (known != nullptr && std::any_of(known->begin(), known->end(), [&](const TProcessIdentity& listed) {
            return SameProcess(listed, identity);
          })) {
        continue;
      }
      auto item = std::make_shared<TProcessItem>();
      item->ProcessID = process.id;
      item->CreationTime = process.created;
      item->ExeName = process.name;
      item->ExePath = process.path;
      item->hProc = TProcessHandle(process.id, [](uintptr_t) { ++ClosedHandles(); });
      state_->opened.push_back(process.id);
      list.Add(std::move(item));
    }
    if (known != nullptr) *known = snapshot;
  }
  float ProcessCpuUsage(TProcessItem& item) override {
    std::lock_guard guard(state_->lock);
    const Process* process = Find(item.ProcessID);
    return process != nullptr ? process->cpu : 0;
  }
  uint64_t ProcessPrivateBytes(uint32_t processId) override {
    std::lock_guard guard(state_->lock);
    ++state_->privateByteReads;
    const Process* process = Find(processId);
    return process != nullptr ? process->privateBytes : 0;
  }
  bool KillProcessItem(TProcessItem& item) override {
    std::lock_guard guard(state_->lock);
    if (item.ExeName == "explorer.exe") return false;
    auto& running = state_->running;
    running.erase(std::remove_if(running.begin(), running.end(),
                                 [&](const Process& process) { return process.id == item.ProcessID; }),
                  running.end());
    return true;
  }
  uint64_t NowMs() override {
    std::lock_guard guard(state_->lock);
    return state_->nowMs;
  }

 private:
  const Process* Find(uint32_t id) const {
    for (const Process& process : state_->running) {
      if (process.id == id) return &process;
    }
    return nullptr;
  }

  std::shared_ptr<State> state_;
};

}  // namespace vsm::test
