#include "hardware/uHardWare.h"

#include <chrono>

namespace vsm {

std::unique_ptr<THardware> Hardware;

namespace {

// The components a cycle reads. They are never replaced after construction, so the update thread
// keeps plain pointers to them.
struct TSensorParts {
  TDiskList* hdds;
  TCpuInfo* cpu;
  TMainBord* board;
  TGraphicsList* Graphics;
  TThermalZones* zones;
};

// One set of readings, gathered from the components before the lock is taken.
struct TReadings {
  std::vector<double> diskTemp;
  std::vector<double> cpuTemp;                          // entry 0: mean of the cores; 1..n: the cores
  std::vector<std::pair<double, double>> graphicsData;  // usage percent, temperature
  TSenorArray boardVoltages, boardTemp, boardFans;
  TSenorArray zoneTemp;
};

bool Selected(unsigned temps, unsigned flags) { return temps == 0 || (temps & flags) != 0; }

void Refresh(const TSensorParts& parts, unsigned temps) {
  if (Selected(temps, hcDiskTemp))
    for (const auto& disk : *parts.hdds) disk->Update();
  if (Selected(temps, hcCpuTemp)) parts.cpu->Update();
  if (Selected(temps, hcBoard)) parts.board->update();
  if (Selected(temps, hcGraphicsTemp | hcGraphicsUsage))
    for (int i = 0; i < parts.Graphics->Count(); ++i) parts.Graphics->GetGraphics(i)->update();
  if (Selected(temps, hcZoneTemp)) parts.zones->Update();
}

// Copies the channels into a snapshot array of fixed length; channels beyond it are left out.
void CopyChannels(const TSenorArray& from, TSenorArray& to) {
  for (size_t i = 0; i < to.size() && i < from.size(); ++i) to[i] = from[i];
}

// The mean of the cores that read something: 0 is no reading and must not pull the mean down.
template <class Iterator>
double MeanOfReadings(Iterator first, Iterator last) {
  double sum = 0;
  int count = 0;
  for (; first != last; ++first) {
    if (*first == 0) continue;
    sum += *first;
    ++count;
  }
  return count == 0 ? 0 : sum / count;
}

// Readings shaped like the snapshot, whose lengths were fixed at creation.
TReadings Read(const TSensorParts& parts, TReadings shape) {
  for (size_t i = 0; i < shape.diskTemp.size(); ++i) {
    const THardDisk* disk = parts.hdds->GetDisk(i);
    shape.diskTemp[i] = disk != nullptr ? disk->GetTemperature() : 0;
  }
  const size_t cores = shape.cpuTemp.size() - 1;
  const std::vector<double>& coreTemps = parts.cpu->CpuTemp;
  for (size_t core = 0; core < cores; ++core)
    shape.cpuTemp[core + 1] = core < coreTemps.size() ? coreTemps[core] : 0;
  shape.cpuTemp[0] = MeanOfReadings(shape.cpuTemp.begin() + 1, shape.cpuTemp.end());
  for (size_t i = 0; i < shape.graphicsData.size(); ++i) {
    TGraphicsCard* card = parts.Graphics->GetGraphics(static_cast<int>(i));
    if (card != nullptr) shape.graphicsData[i] = {double(card->usePercent()), card->Temperature()};
  }
  CopyChannels(parts.board->Voltages, shape.boardVoltages);
  CopyChannels(parts.board->Temperatures, shape.boardTemp);
  CopyChannels(parts.board->Fans, shape.boardFans);
  CopyChannels(parts.zones->Zones(), shape.zoneTemp);
  return shape;
}

// Refreshes, then stores the readings. The lock is held only to copy: never while hardware is read.
void Cycle(const TSensorParts& parts, unsigned temps, std::mutex& critical, TReadings& snapshot) {
  Refresh(parts, temps);
  TReadings readings = [&] {
    std::lock_guard<std::mutex> guard(critical);
    return snapshot;
  }();
  readings = Read(parts, std::move(readings));
  std::lock_guard<std::mutex> guard(critical);
  snapshot = std::move(readings);
}

// Every component in its generic form when the factory gives none.
template <class T, class Make, class Generic>
std::unique_ptr<T> CreateOr(const Make& make, Generic generic) {
  std::unique_ptr<T> made;
  try {
    if (make) made = make();
  } catch (...) {
    made.reset();
  }
  return made != nullptr ? std::move(made) : generic();
}

}  // namespace

struct THardware::TSnapshot {
  std::mutex critical;
  TReadings values;
};

THardwareComponents::~THardwareComponents() {
  hdds.reset();
  netAdapters.reset();
  sounds.reset();
  smbios.reset();
  cpu.reset();
  board.reset();
  Graphics.reset();
  zones.reset();
}

struct THardware::TUpdateThread {
  unsigned nTime = 0;
  THardwareNotify notify;
  std::mutex lock;
  std::condition_variable changed;
  bool stopRequested = false;
  bool finished = false;
  // Handed over by a destructor that could not wait for the cycle any longer; released, in the
  // usual order, by the thread when the cycle ends.
  std::unique_ptr<THardwareComponents> releaseOnExit;
  std::thread thread;

  bool StopRequested() {
    std::lock_guard<std::mutex> guard(lock);
    return stopRequested;
  }

  void RequestStop() {
    {
      std::lock_guard<std::mutex> guard(lock);
      stopRequested = true;
    }
    changed.notify_all();
  }

  // Requests the stop with `guard` holding the lock and waits for the cycle's end, at most the
  // period plus 100 ms. Whether it ended.
  bool StopAndWait(std::unique_lock<std::mutex>& guard) {
    stopRequested = true;
    changed.notify_all();
    return changed.wait_for(guard, std::chrono::milliseconds(nTime + 100), [this] { return finished; });
  }

  // True when the stop was requested during the sleep or before it; a period of 0 runs once.
  bool SleepOrStop() {
    std::unique_lock<std::mutex> guard(lock);
    if (nTime == 0) return true;
    changed.wait_for(guard, std::chrono::milliseconds(nTime), [this] { return stopRequested; });
    return stopRequested;
  }

  void Finish() {
    std::unique_ptr<THardwareComponents> release;
    {
      std::lock_guard<std::mutex> guard(lock);
      finished = true;
      release = std::move(releaseOnExit);
    }
    changed.notify_all();
  }
};

THardware::THardware(const THardwareFactory& factory) : FSnapshot(std::make_shared<TSnapshot>()) {
  try {
    if (factory.smbios) smbios = factory.smbios();
  } catch (...) {
    smbios.reset();
  }
  netAdapters = CreateOr<TNetList>(factory.netAdapters, [] { return std::make_unique<TNetList>(); });
  sounds = CreateOr<TSoundList>(factory.sounds, [] { return std::make_unique<TSoundList>(); });
  Graphics = CreateOr<TGraphicsList>(factory.graphics, [] { return std::make_unique<TGraphicsList>(); });
  cpu = CreateOr<TCpuInfo>(factory.cpu, [] { return CreateCpuInfo<TUnkonwCPUInof>(TCpuSeams{}); });
  board = CreateOr<TMainBord>(factory.board, [] {
    return std::make_unique<TGeneralBoard>(DriverChannelFactory{}, TBaseBoardIdentity{});
  });
  hdds = CreateOr<TDiskList>(factory.disks, [] { return std::make_unique<TDiskList>(); });
  zones = CreateOr<TThermalZones>(factory.zones, [] { return std::make_unique<TThermalZones>(); });

  TReadings& shape = FSnapshot->values;
  shape.diskTemp.assign(hdds->Count(), 0);
  shape.cpuTemp.assign(size_t(cpu->NumberOfCores) + 1, 0);
  shape.graphicsData.assign(size_t(Graphics->Count()), {0, 0});
  auto names = [](const TSenorArray& channels) {
    TSenorArray named(channels.size());
    for (size_t i = 0; i < channels.size(); ++i) named[i].name = channels[i].name;
    return named;
  };
  shape.boardVoltages = names(board->Voltages);
  shape.boardTemp = names(board->Temperatures);
  shape.boardFans = names(board->Fans);
  shape.zoneTemp = names(zones->Zones());
}

THardware::~THardware() {
  auto components =
      std::make_unique<THardwareComponents>(std::move(static_cast<THardwareComponents&>(*this)));
  if (FWorker == nullptr) return;
  std::shared_ptr<TUpdateThread> worker = std::move(FWorker);
  std::unique_lock<std::mutex> guard(worker->lock);
  if (worker->StopAndWait(guard)) {
    guard.unlock();
    worker->thread.join();
  } else {
    // The cycle still reads the components: the thread frees them when it ends.
    worker->releaseOnExit = std::move(components);
    guard.unlock();
    worker->thread.detach();
  }
}

bool THardware::EndTimerAndWait() {
  if (FWorker == nullptr) return true;
  std::unique_lock<std::mutex> guard(FWorker->lock);
  if (!FWorker->StopAndWait(guard)) return false;
  guard.unlock();
  FWorker->thread.join();
  FWorker.reset();
  return true;
}

void THardware::StartAsynTimer(unsigned periodMs, THardwareNotify notify) {
  if (FWorker != nullptr) {
    // Two threads must never refresh the same components at once.
    FWorker->RequestStop();
    FWorker->thread.join();
    FWorker.reset();
  }
  auto worker = std::make_shared<TUpdateThread>();
  worker->nTime = periodMs;
  worker->notify = std::move(notify);
  const TSensorParts parts{hdds.get(), cpu.get(), board.get(), Graphics.get(), zones.get()};
  worker->thread = std::thread([worker, parts, snapshot = FSnapshot, owner = this] {
    for (;;) {
      Cycle(parts, 0, snapshot->critical, snapshot->values);
      if (worker->notify && !worker->StopRequested()) worker->notify(*owner);
      if (worker->SleepOrStop()) break;
    }
    worker->Finish();
  });
  FWorker = std::move(worker);
}

void THardware::EndTimer() {
  if (FWorker != nullptr) FWorker->RequestStop();
}

void THardware::update(unsigned temps) {
  const TSensorParts parts{hdds.get(), cpu.get(), board.get(), Graphics.get(), zones.get()};
  Cycle(parts, temps, FSnapshot->critical, FSnapshot->values);
}

void THardware::GetAsynData(int hard, int idx, double& Data) {
  std::lock_guard<std::mutex> guard(FSnapshot->critical);
  const TReadings& values = FSnapshot->values;
  if (idx < 0) return;
  const auto i = static_cast<size_t>(idx);
  switch (hard) {
    case hcGraphicsUsage:
      if (i < values.graphicsData.size()) Data = values.graphicsData[i].first;
      break;
    case hcDiskTemp:
      if (i < values.diskTemp.size()) Data = values.diskTemp[i];
      break;
    case hcCpuTemp:
      if (i < values.cpuTemp.size()) Data = values.cpuTemp[i];
      break;
    case hcGraphicsTemp:
      if (i < values.graphicsData.size()) Data = values.graphicsData[i].second;
      break;
    default: break;
  }
}

void THardware::GetAsynData(int hard, int idx, TSenorArray& Data) {
  if (hard == hcZoneTemp) {
    std::lock_guard<std::mutex> guard(FSnapshot->critical);
    if (idx == 0) Data = FSnapshot->values.zoneTemp;
    return;
  }
  if (hard != hcBoard) return;
  std::lock_guard<std::mutex> guard(FSnapshot->critical);
  const TReadings& values = FSnapshot->values;
  switch (idx) {
    case 0: Data = values.boardVoltages; break;
    case 1: Data = values.boardTemp; break;
    case 2: Data = values.boardFans; break;
    default: break;
  }
}

}  // namespace vsm
