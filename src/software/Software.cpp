#include "software/Software.h"

#include <algorithm>
#include <chrono>

#include "base/le_bytes.h"

namespace vsm {

namespace {

// Difference of the low 32 bits, as the rates are counted per period in 32 bits.
int32_t LowDifference(uint64_t now, uint64_t before) {
  return static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(before));
}

bool IsSystemIdleOrSystem(uint32_t processId) { return processId == 0 || processId == 4; }

// A period's byte count per second of its measured length, rounded; a negative difference stays
// negative (the sample is dropped), a rate beyond 32 bits is held at the largest.
int32_t PerSecond(int32_t difference, uint64_t elapsedMs) {
  if (difference < 0) return difference;
  const uint64_t rate = (static_cast<uint64_t>(difference) * 1000 + elapsedMs / 2) / elapsedMs;
  return static_cast<int32_t>(std::min<uint64_t>(rate, INT32_MAX));
}

}  // namespace

struct TSoftware::TUpdateThread {
  int nTime = 0;
  TSoftwareNotify notify;
  std::mutex lock;
  std::condition_variable wake;
  bool stop = false;
  std::atomic<bool> finished{false};
  std::thread thread;

  void Run(TSoftware& engine) {
    if (nTime > 0) {
      for (;;) {
        {
          std::unique_lock guard(lock);
          if (wake.wait_for(guard, std::chrono::milliseconds(nTime), [this] { return stop; })) break;
        }
        engine.Sample();
        if (notify && !StopRequested()) notify(engine);
      }
    }
    finished = true;
  }

  bool StopRequested() {
    std::lock_guard guard(lock);
    return stop;
  }

  void RequestStop() {
    {
      std::lock_guard guard(lock);
      stop = true;
    }
    wake.notify_all();
  }
};

TSoftware::TSoftware(std::unique_ptr<SoftwarePlatform> platform, std::unique_ptr<TVeskTdiFwDrv> driver,
                     TInterfaceCounterReader interfaces, std::unique_ptr<TOperatingSystem> os,
                     TSystemNetwork system)
    : platform_(std::move(platform)), tdiDrv(std::move(driver)), interfaceReader_(std::move(interfaces)),
      system_(std::move(system)), FOs(std::move(os)) {
  platform_->FillProcessList(FProcessList, nullptr);
}

TSoftware::~TSoftware() {
  EndTimer();
  std::vector<std::unique_ptr<TUpdateThread>> workers;
  {
    std::lock_guard guard(timerLock_);
    workers.swap(stoppedWorkers_);
  }
  // Joined without the timer lock: a worker's notification may still read the engine.
  for (auto& worker : workers) worker->thread.join();
}

void TSoftware::StartAsynTimer(int periodMs, TSoftwareNotify notify) {
  std::lock_guard guard(timerLock_);
  if (uTimer) return;
  JoinFinishedWorkers();
  auto worker = std::make_unique<TUpdateThread>();
  worker->nTime = periodMs;
  worker->notify = std::move(notify);
  TUpdateThread* running = worker.get();
  worker->thread = std::thread([running, this] { running->Run(*this); });
  uTimer = std::move(worker);
}

void TSoftware::EndTimer() {
  std::lock_guard guard(timerLock_);
  if (!uTimer) return;
  uTimer->RequestStop();
  // Joined later (next start, or the destructor), so that EndTimer never waits for a sample.
  stoppedWorkers_.push_back(std::move(uTimer));
  JoinFinishedWorkers();
}

void TSoftware::JoinFinishedWorkers() {
  auto done = [](const std::unique_ptr<TUpdateThread>& worker) {
    if (!worker->finished) return false;
    worker->thread.join();
    return true;
  };
  stoppedWorkers_.erase(std::remove_if(stoppedWorkers_.begin(), stoppedWorkers_.end(), done),
                        stoppedWorkers_.end());
}

int TSoftware::CPUrate() {
  {
    std::lock_guard guard(timerLock_);
    if (uTimer) return FCpuRecord.Newest();
  }
  return platform_->TotalCpuLoad();
}

int TSoftware::Memoryrate() {
  {
    std::lock_guard guard(timerLock_);
    if (uTimer) return FMemoryrate;
  }
  return platform_->MemoryLoad();
}

TProcessList& TSoftware::ProcessList() {
  critical.lock();
  return FProcessList;
}

void TSoftware::ReleaseProcessList() { critical.unlock(); }

bool TSoftware::KillProcess(TProcessItem* item) {
  if (item == nullptr || !platform_->KillProcessItem(*item)) return false;
  {
    std::lock_guard guard(critical);
    FProcessList.Remove(item);
  }
  int period = 0;
  TSoftwareNotify notify;
  {
    std::lock_guard guard(timerLock_);
    if (!uTimer) return true;
    period = uTimer->nTime;
    notify = uTimer->notify;
  }
  EndTimer();
  StartAsynTimer(period, std::move(notify));
  return true;
}

bool TSoftware::SetFilterRule(uint32_t processId, REQUEST_TYPE requestType, FILTER_TYPE filterType,
                              int32_t limit) {
  if (HasTdiData()) return tdiDrv->SetFilterRule(processId, requestType, filterType, limit);
  if (requestType != ALL || (filterType != ALLOW && filterType != DENY)) return false;
  std::lock_guard guard(critical);
  for (const TProcessItemRef& item : FProcessList.Items()) {
    if (item->ProcessID == processId) return SetNetBlocked(*item, filterType == DENY);
  }
  return false;
}

bool TSoftware::DisableNet(const TProcessItem* item) {
  if (item == nullptr) return false;
  return HasTdiData() ? SetFilterRule(item->ProcessID, ALL, DENY, 0) : SetNetBlocked(*item, true);
}

bool TSoftware::EnableNet(const TProcessItem* item) {
  if (item == nullptr) return false;
  return HasTdiData() ? SetFilterRule(item->ProcessID, ALL, ALLOW, 0) : SetNetBlocked(*item, false);
}

bool TSoftware::SetNetBlocked(const TProcessItem& item, bool blocked) {
  if (!system_.blocker || !system_.blocker->Available()) return false;
  return blocked ? system_.blocker->Block(item.ExePath) : system_.blocker->Allow(item.ExePath);
}

bool TSoftware::CanBlockNet() const {
  return HasTdiData() || (system_.blocker != nullptr && system_.blocker->Available());
}

bool TSoftware::HasProcessTraffic() const {
  return HasTdiData() || (system_.traffic != nullptr && system_.traffic->Counting());
}

void TSoftware::StopTrafficCounting() {
  if (system_.traffic) system_.traffic->Stop();
}

bool TSoftware::SetLimit(const TProcessItem* item, REQUEST_TYPE requestType, int32_t bytesPerSecond) {
  if (item == nullptr) return false;
  if (bytesPerSecond == -1) return SetFilterRule(item->ProcessID, requestType, ALLOW, -1);
  return SetFilterRule(item->ProcessID, requestType, SPEED, bytesPerSecond);
}

bool TSoftware::SetRecvLimit(const TProcessItem* item, int32_t bytesPerSecond) {
  return SetLimit(item, RECV, bytesPerSecond);
}

bool TSoftware::SetSendLimit(const TProcessItem* item, int32_t bytesPerSecond) {
  return SetLimit(item, SEND, bytesPerSecond);
}

void TSoftware::OnTdiEvent(TDrvEventProc handler) {
  if (tdiDrv != nullptr) tdiDrv->OnNewProcessCreate(std::move(handler));
}

void TSoftware::Sample() {
  // A worker that KillProcess stopped may still be in its last sample when its successor takes
  // the first one: they must not measure at once (the interface meter and the rings have one
  // writer).
  std::lock_guard guard(sampleLock_);
  UpdateSystem();
  UpdateProcesses();
}

void TSoftware::UpdateSystem() {
  FMemoryrate = platform_->MemoryLoad();
  FCpuRecord.AddRecord(platform_->TotalCpuLoad());
  UpdateTraffic();
}

std::optional<MachineTotals> TSoftware::ReadMachineTotals() {
  if (HasTdiData()) return ReadDriverTotals();
  if (!interfaceReader_) return std::nullopt;
  std::optional<std::vector<InterfaceCounters>> table = interfaceReader_();
  if (!table) return std::nullopt;
  return interfaceMeter_.Sample(*table);
}

std::optional<MachineTotals> TSoftware::ReadDriverTotals() {
  uint8_t record[tdi::kTotalRecordSize] = {};
  record[0] = tdi::kTotalRecordSize;
  // A short reply would leave fields unwritten: only a whole record counts.
  if (tdiDrv->GetProcessData(0, record, sizeof record) < static_cast<int32_t>(sizeof record)) {
    return std::nullopt;
  }
  const ByteView view(record, sizeof record);
  return MachineTotals{view.U64(tdi::kTotalReceivedOffset), view.U64(tdi::kTotalSentOffset)};
}

void TSoftware::UpdateTraffic() {
  std::optional<MachineTotals> totals = ReadMachineTotals();
  if (!totals) return;
  const uint64_t now = platform_->NowMs();
  uint64_t oldIn = FTdiRecord.Bytes_In();
  uint64_t oldOut = FTdiRecord.Bytes_Out();
  if (oldIn != TTdiRecord::kTotalsUnknown && oldOut != TTdiRecord::kTotalsUnknown) {
    const uint64_t elapsed = now - totalsReadMs_;
    // No time between two reads gives no rate; the next read covers both.
    if (elapsed == 0) return;
    FTdiRecord.AddRecord(PerSecond(LowDifference(totals->received, oldIn), elapsed),
                         PerSecond(LowDifference(totals->sent, oldOut), elapsed));
  }
  FTdiRecord.SetTotals(totals->received, totals->sent);
  totalsReadMs_ = now;
}

void TSoftware::UpdateProcessTraffic(TProcessItem& item, uint64_t now) {
  uint8_t record[tdi::kProcessRecordSize] = {};
  record[0] = tdi::kProcessRecordSize;
  if (tdiDrv->GetProcessData(item.ProcessID, record, sizeof record) >= static_cast<int32_t>(sizeof record)) {
    const ByteView view(record, sizeof record);
    StoreTrafficTotals(item, view.U64(tdi::kProcessReceivedOffset), view.U64(tdi::kProcessSentOffset), now);
  }
  uint8_t rule[tdi::kRuleRecordSize] = {};
  rule[0] = tdi::kRuleRecordSize;
  if (tdiDrv->GetFilterRule(item.ProcessID, rule, sizeof rule)) {
    item.isDisableNet = ByteView(rule, sizeof rule).U16(0) == 1;
  }
}

void TSoftware::StoreTrafficTotals(TProcessItem& item, uint64_t received, uint64_t sent, uint64_t now) {
  if (item.byte_in != -1 && item.byte_out != -1) {
    const uint64_t elapsed = now - item.TrafficReadMs;
    if (elapsed == 0) return;
    item.RecvDataPerS = PerSecond(LowDifference(received, static_cast<uint64_t>(item.byte_in)), elapsed);
    item.SendDataPerS = PerSecond(LowDifference(sent, static_cast<uint64_t>(item.byte_out)), elapsed);
  }
  item.byte_in = static_cast<int64_t>(received);
  item.byte_out = static_cast<int64_t>(sent);
  item.TrafficReadMs = now;
}

void TSoftware::UpdateCountedTraffic(TProcessItem& item, uint64_t now) {
  std::optional<TrafficTotals> totals = system_.traffic->Totals(item.ProcessID);
  if (totals) {
    StoreTrafficTotals(item, totals->received, totals->sent, now);
  } else {
    // No byte moved yet: unknown, like a process the driver has no record for.
    item.byte_in = -1;
    item.byte_out = -1;
  }
}

void TSoftware::UpdateProcesses() {
  std::lock_guard guard(critical);
  std::vector<TProcessIdentity> known;
  known.reserve(FProcessList.Items().size());
  for (const TProcessItemRef& item : FProcessList.Items()) known.push_back(IdentityOf(*item));
  platform_->FillProcessList(FProcessList, &known);
  std::sort(known.begin(), known.end(), IdentityIdLess);
  bool driverOpen = HasTdiData();
  bool counted = !driverOpen && system_.traffic != nullptr && system_.traffic->Counting();
  if (counted) {
    std::vector<uint32_t> ids;
    ids.reserve(known.size());
    for (const TProcessIdentity& process : known) ids.push_back(process.id);
    system_.traffic->KeepOnly(ids);
  }
  bool ourBlocks = !driverOpen && system_.blocker != nullptr && system_.blocker->Available();
  bool readMemory = UpdateMemory;
  const uint64_t now = platform_->NowMs();
  for (int index = 0; index < FProcessList.Count();) {
    TProcessItemRef item = FProcessList.GetItem(index);
    if (!ContainsProcess(known, IdentityOf(*item))) {
      // The process ended (its id may be another's now): the list lets go; a page still showing
      // the item keeps it alive.
      FProcessList.Delete(index);
      continue;
    }
    if (readMemory) item->Memoryuse = platform_->ProcessPrivateBytes(item->ProcessID);
    item->CPUuse = platform_->ProcessCpuUsage(*item);
    if (ourBlocks) item->isDisableNet = system_.blocker->IsBlocked(item->ExePath);
    if (driverOpen && !IsSystemIdleOrSystem(item->ProcessID)) {
      UpdateProcessTraffic(*item, now);
    } else if (counted && !IsSystemIdleOrSystem(item->ProcessID)) {
      UpdateCountedTraffic(*item, now);
    } else {
      item->byte_in = -1;
      item->byte_out = -1;
    }
    ++index;
  }
}

}  // namespace vsm
