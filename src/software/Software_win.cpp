#include "software/Software_win.h"

#include <chrono>

#include "drivers/DriverManager_win.h"
#include "drivers/ReopeningChannel.h"
#include "software/DriverEvent_win.h"
#include "software/InterfaceTraffic_win.h"
#include "software/MemoryStatus_win.h"
#include "software/ProcessInfo_win.h"
#include "software/ProcessKill_win.h"
#include "software/ProcessList_win.h"
#include "software/SystemProcessQuery_win.h"
#include "software/TotalCpuLoad_win.h"
#include "software/etw/TrafficTrace_win.h"
#include "software/wfp/FilterEngine_win.h"
#include "sysinfo/os/OsPlatform_win.h"

namespace vsm {

std::unique_ptr<TSoftware> Software;

namespace {

class WindowsSoftwarePlatform final : public SoftwarePlatform {
 public:
  int MemoryLoad() override { return GetMemoryLoad(); }
  int TotalCpuLoad() override { return GetTotalCpuLoad(); }
  void FillProcessList(TProcessList& list, std::vector<TProcessIdentity>* known) override {
    // The sample's one query of every process's times; a failed one leaves no records, and the
    // items' handles answer instead.
    processes_.Refresh();
    vsm::FillProcessList(list, known, processes_.Records());
  }
  float ProcessCpuUsage(TProcessItem& item) override {
    return GetProcessCpuUsage(&item, processes_.Records());
  }
  uint64_t ProcessPrivateBytes(uint32_t processId) override { return GetProcessPrivateBytes(processId); }
  bool KillProcessItem(TProcessItem& item) override { return vsm::KillProcessItem(&item); }
  uint64_t NowMs() override {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  }

 private:
  TSystemProcessQuery processes_;
};

}  // namespace

std::unique_ptr<SoftwarePlatform> CreateWindowsSoftwarePlatform() {
  return std::make_unique<WindowsSoftwarePlatform>();
}

std::unique_ptr<TSoftware> CreateSoftware() {
  // A filter driver that starts after the program (at log-on) is taken up when it is there.
  constexpr std::chrono::milliseconds kAskDriverAgain{3000};
  auto driver = std::make_unique<TVeskTdiFwDrv>(
      std::make_unique<ReopeningDriverChannel>([] { return OpenDriverChannel(DriverKind::NetworkFilter); },
                                               kAskDriverAgain),
      WindowsDriverEventFactory());
  std::unique_ptr<TOperatingSystem> os = CreateOperatingSystem();
  os->RefreshData();
  // Without the driver, the system's own network events and filtering platform stand in for it.
  TSystemNetwork system;
  if (!driver->Actived()) {
    TraceSessionKind kind = ChooseTraceSession(static_cast<uint32_t>(os->MajorVersion()),
                                               static_cast<uint32_t>(os->MinorVersion()));
    system.traffic = StartTrafficTrace(kind).source;
    system.blocker = CreateNetworkBlocker();
  }
  return std::make_unique<TSoftware>(CreateWindowsSoftwarePlatform(), std::move(driver),
                                     &ReadInterfaceCounters, std::move(os), std::move(system));
}

TSoftwareNotify NotifyWindow(HWND window) {
  if (window == nullptr) return {};
  return [window](TSoftware& engine) {
    // Synchronous, but bounded: a window whose thread is busy waiting for this very worker (the
    // engine being destroyed) must not hold the worker for ever.
    constexpr UINT kAnswerWithinMs = 5000;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, kSoftwareSampledMessage, reinterpret_cast<WPARAM>(&engine), 0, SMTO_NORMAL,
                        kAnswerWithinMs, &result);
  };
}

}  // namespace vsm
