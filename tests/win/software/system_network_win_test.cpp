// Per-process traffic from the kernel's network events and blocking through the filtering
// platform, against Wine's own implementation of both: Wine starts trace sessions but delivers no
// events, and refuses to open a filtering engine. The program must see that at once and run as it
// does without them: traffic unknown, blocking not offered.
#include <windows.h>
#include <evntrace.h>

#include <gtest/gtest.h>

#include <vector>

#include "EngineItems.h"
#include "base/wide_win.h"
#include "software/Software_win.h"
#include "software/etw/EventTracing_win.h"
#include "software/etw/TrafficTrace_win.h"
#include "software/wfp/FilterEngine_win.h"

namespace vsm {
namespace {

// True when a session of this name runs, as the controller's query tells.
bool SessionRuns(const std::wstring& name) {
  std::vector<uint8_t> buffer(sizeof(EVENT_TRACE_PROPERTIES) + 2 * 1024 * sizeof(wchar_t), 0);
  auto* properties = reinterpret_cast<EVENT_TRACE_PROPERTIES*>(buffer.data());
  properties->Wnode.BufferSize = static_cast<ULONG>(buffer.size());
  properties->LoggerNameOffset = sizeof(EVENT_TRACE_PROPERTIES);
  properties->LogFileNameOffset = sizeof(EVENT_TRACE_PROPERTIES) + 1024 * sizeof(wchar_t);
  return EventTracing().controlTrace(0, name.c_str(), properties, EVENT_TRACE_CONTROL_QUERY) == ERROR_SUCCESS;
}

TEST(SystemNetworkOnWine, TraceSessionsThatDeliverNoEventsAreStoppedAndGoneWithout) {
  ASSERT_TRUE(EventTracing().Complete());
  for (TraceSessionKind kind : {TraceSessionKind::PrivateSystemLogger, TraceSessionKind::KernelLogger}) {
    TrafficTraceStart start = StartTrafficTrace(kind);
    EXPECT_EQ(start.source, nullptr);
    EXPECT_EQ(start.outcome, TrafficTraceOutcome::NoEventsDelivered) << static_cast<int>(kind);
  }
  EXPECT_FALSE(SessionRuns(Widen(etw::kPrivateSessionName)));
  EXPECT_EQ(StartTrafficTrace(TraceSessionKind::None).outcome, TrafficTraceOutcome::NotOnThisWindows);
}

TEST(SystemNetworkOnWine, NoFilteringEngineMeansNoBlocking) {
  EXPECT_EQ(OpenFilterEngine(), nullptr);
  std::unique_ptr<NetworkBlocker> blocker = CreateNetworkBlocker();
  ASSERT_NE(blocker, nullptr);
  EXPECT_FALSE(blocker->Available());
  EXPECT_FALSE(blocker->Block("C:\\windows\\system32\\notepad.exe"));
}

TEST(SystemNetworkOnWine, TheEngineRunsAsWithoutAnyPerProcessSource) {
  std::unique_ptr<TSoftware> engine = CreateSoftware();
  EXPECT_FALSE(engine->HasTdiData());
  EXPECT_FALSE(engine->HasProcessTraffic());
  // The process page disables its block item on this.
  EXPECT_FALSE(engine->CanBlockNet());
  engine->UpdateProcesses();
  engine->UpdateProcesses();
  TProcessItemRef self = test::FindItem(*engine, GetCurrentProcessId());
  ASSERT_NE(self, nullptr);
  EXPECT_FALSE(self->ExePath.empty());
  EXPECT_EQ(self->byte_in, -1);
  EXPECT_EQ(self->byte_out, -1);
  EXPECT_EQ(self->RecvDataPerS, -1);
  EXPECT_FALSE(engine->DisableNet(self.get()));
  EXPECT_FALSE(engine->SetFilterRule(self->ProcessID, ALL, DENY, 0));
  engine->UpdateProcesses();
  EXPECT_FALSE(self->isDisableNet);
  engine->StopTrafficCounting();  // nothing to stop: must be harmless
}

}  // namespace
}  // namespace vsm
