#pragma once
// The software sampling engine: memory load, total CPU load, the machine's network rates and the
// process list with every process's CPU share, memory and traffic, sampled by a worker thread
// once per period, plus the CPU and traffic histories the strip and the popup chart.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "software/HistoryRecords.h"
#include "software/InterfaceTraffic.h"
#include "software/ProcessItem.h"
#include "software/SoftwarePlatform.h"
#include "software/TdiFwDrv.h"
#include "software/etw/ProcessTrafficSource.h"
#include "software/wfp/NetworkBlocker.h"
#include "sysinfo/os/OperatingSystem.h"

namespace vsm {

class TSoftware;

// Called by the worker after every sample (on Windows: message 3129 sent to a window).
using TSoftwareNotify = std::function<void(TSoftware& engine)>;

// Reads the machine's interface counters (on Windows: the IP Helper tables); nothing when they
// cannot be read.
using TInterfaceCounterReader = std::function<std::optional<std::vector<InterfaceCounters>>()>;

// Per-process traffic and blocking from the system's own facilities, used while the filter
// driver is not open. Either may be null.
struct TSystemNetwork {
  std::unique_ptr<ProcessTrafficSource> traffic;
  std::unique_ptr<NetworkBlocker> blocker;
};

class TSoftware {
 public:
  // Takes a full snapshot at once. A null driver behaves like a missing one; without the driver
  // the machine's totals come from the interface counters, when a reader is given. `os` is the
  // operating-system information, already refreshed, kept for the operating-system page. Without
  // the driver, per-process traffic and blocking come from `system`.
  TSoftware(std::unique_ptr<SoftwarePlatform> platform, std::unique_ptr<TVeskTdiFwDrv> driver,
            TInterfaceCounterReader interfaces = {}, std::unique_ptr<TOperatingSystem> os = nullptr,
            TSystemNetwork system = {});
  // Stops the worker and waits for it (and for workers stopped before), then releases the driver.
  ~TSoftware();
  TSoftware(const TSoftware&) = delete;
  TSoftware& operator=(const TSoftware&) = delete;

  // Ignored while a worker runs. The first sample comes one period after the start.
  void StartAsynTimer(int periodMs, TSoftwareNotify notify = {});
  // Asks the worker to stop and forgets it at once; it ends after its current sample.
  void EndTimer();

  // With a worker: the newest sample (255 before the first); without: a fresh reading.
  int CPUrate();
  int Memoryrate();
  uint64_t Bytes_In() const { return FTdiRecord.Bytes_In(); }
  uint64_t Bytes_Out() const { return FTdiRecord.Bytes_Out(); }
  const TCpuRecord& CpuRecord() const { return FCpuRecord; }
  const TTdiRecord& TdiRecord() const { return FTdiRecord; }
  TOperatingSystem* OS() const { return FOs.get(); }

  // Takes the list lock and returns the list; every call needs its ReleaseProcessList, also
  // when the caller fails in between. Readers may sort the list while they hold the lock. The
  // lock is recursive, so a holder may call KillProcess.
  TProcessList& ProcessList();
  void ReleaseProcessList();

  // Ends the process; on success takes its item out of the list (it lives on while a page holds
  // it) and restarts a running worker. The new worker's samples wait for the old one's last.
  bool KillProcess(TProcessItem* item);

  // With the driver: its rule. Without it, only ALL with ALLOW or DENY is possible: it allows or
  // blocks the executable of the listed process with that id.
  bool SetFilterRule(uint32_t processId, REQUEST_TYPE requestType, FILTER_TYPE filterType, int32_t limit);
  bool DisableNet(const TProcessItem* item);
  bool EnableNet(const TProcessItem* item);
  // Whether DisableNet and EnableNet can work here: the driver is open, or the system can block.
  bool CanBlockNet() const;
  // -1 lifts the limit.
  bool SetRecvLimit(const TProcessItem* item, int32_t bytesPerSecond);
  bool SetSendLimit(const TProcessItem* item, int32_t bytesPerSecond);
  bool HasTdiData() const { return tdiDrv != nullptr && tdiDrv->Actived(); }
  // Whether processes get traffic figures: from the driver, or from the system's events.
  bool HasProcessTraffic() const;
  // Ends the system's traffic counting (at exit, which does not wait for the destructor).
  void StopTrafficCounting();
  // The handler runs on the driver's event thread.
  void OnTdiEvent(TDrvEventProc handler);

  // One sample, as the worker takes it each period.
  void UpdateSystem();
  void UpdateProcesses();

  // Set by the process page while it shows memory: every process's memory is read each sample.
  std::atomic<bool> UpdateMemory{false};

 private:
  struct TUpdateThread;

  // One worker sample, never two at once.
  void Sample();
  void UpdateTraffic();
  // The machine's byte totals for this sample: the one place they come from, the filter driver
  // when it is open, else the interface counters. Nothing when no source can tell.
  std::optional<MachineTotals> ReadMachineTotals();
  std::optional<MachineTotals> ReadDriverTotals();
  // `now`: the platform's clock when the totals are read.
  void UpdateProcessTraffic(TProcessItem& item, uint64_t now);
  void UpdateCountedTraffic(TProcessItem& item, uint64_t now);
  static void StoreTrafficTotals(TProcessItem& item, uint64_t received, uint64_t sent, uint64_t now);
  bool SetNetBlocked(const TProcessItem& item, bool blocked);
  bool SetLimit(const TProcessItem* item, REQUEST_TYPE requestType, int32_t bytesPerSecond);
  // Joins stopped workers that have ended; call with the timer lock held.
  void JoinFinishedWorkers();

  std::unique_ptr<SoftwarePlatform> platform_;
  std::recursive_mutex critical;
  TProcessList FProcessList;
  std::atomic<int> FMemoryrate{0};
  TCpuRecord FCpuRecord;
  std::unique_ptr<TVeskTdiFwDrv> tdiDrv;
  TTdiRecord FTdiRecord;
  uint64_t totalsReadMs_ = 0;  // when FTdiRecord's totals were read
  TInterfaceCounterReader interfaceReader_;
  TInterfaceTrafficMeter interfaceMeter_;
  TSystemNetwork system_;
  // Operating-system information for the operating-system page; it plays no part in the sampling.
  std::unique_ptr<TOperatingSystem> FOs;

  std::mutex sampleLock_;
  std::mutex timerLock_;
  std::unique_ptr<TUpdateThread> uTimer;
  std::vector<std::unique_ptr<TUpdateThread>> stoppedWorkers_;
};

}  // namespace vsm
