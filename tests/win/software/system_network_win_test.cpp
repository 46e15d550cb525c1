// Per-process traffic from the kernel's network events and blocking through the filtering
// platform, against Wine's own implementation of both: Wine starts trace sessions but delivers no
// events, and refuses to open a filtering engine. The program must see that at once and run as it
// does without them: traffic unknown, blocking not offered.
#include <windows.h>
#include <evntrace.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineItems.h"
#include "base/wide_win.h"
#include "software/Software_win.h"
#include "software/etw/EventTracing_win.h"
#include "software/etw/TrafficTrace_win.h"
#include "software/wfp/FilterEngine_win.h"

namespace vsm {
namespace {

// Wraps Wine's tracing functions and records the controller calls made through them. A test may
// have the first start answer that the session exists, and the query then describe a session as
// another tool (or a killed run of ours) left it.
struct TracingRecorder {
  static inline std::vector<std::string> calls;
  static inline bool firstStartFindsSession = false;
  static inline TraceSessionSettings existing;

  static std::string Name(const wchar_t* name) { return name != nullptr ? Narrow(name) : std::string(); }

  static ULONG WINAPI Start(TRACEHANDLE* session, const wchar_t* name, EVENT_TRACE_PROPERTIES* properties) {
    calls.push_back("start " + Name(name));
    if (firstStartFindsSession) {
      firstStartFindsSession = false;
      return ERROR_ALREADY_EXISTS;
    }
    return EventTracing().startTrace(session, name, properties);
  }
  static ULONG WINAPI Control(TRACEHANDLE session, const wchar_t* name, EVENT_TRACE_PROPERTIES* properties,
                              ULONG control) {
    if (control == EVENT_TRACE_CONTROL_QUERY) {
      calls.push_back("query " + Name(name));
      properties->LogFileMode = existing.logFileMode;
      properties->EnableFlags = existing.enableFlags;
      properties->BufferSize = existing.bufferSizeKb;
      properties->FlushTimer = existing.flushTimerSeconds;
      return ERROR_SUCCESS;
    }
    calls.push_back((control == EVENT_TRACE_CONTROL_STOP ? "stop " : "control ") + Name(name));
    return EventTracing().controlTrace(session, name, properties, control);
  }
  static TRACEHANDLE WINAPI Open(EVENT_TRACE_LOGFILEW* logfile) {
    calls.push_back("open " + Name(logfile->LoggerName));
    return EventTracing().openTrace(logfile);
  }
  static ULONG WINAPI Process(TRACEHANDLE* handles, ULONG count, FILETIME* start, FILETIME* end) {
    calls.push_back("process");
    return EventTracing().processTrace(handles, count, start, end);
  }
  static ULONG WINAPI Close(TRACEHANDLE trace) {
    calls.push_back("close");
    return EventTracing().closeTrace(trace);
  }

  TracingRecorder() {
    calls.clear();
    firstStartFindsSession = false;
    existing = {};
  }
  EventTracingFunctions Functions() const { return {&Start, &Control, &Open, &Process, &Close}; }
};

using Calls = std::vector<std::string>;
const std::string kOurs = etw::kPrivateSessionName;
const std::string kKernel = etw::kKernelLoggerName;

TEST(SystemNetworkOnWine, ASessionThatDeliversNoEventsIsStoppedAgainAndTrafficStaysUnknown) {
  ASSERT_TRUE(EventTracing().Complete());
  // Wine's own functions, unwrapped: the session starts, opening it fails.
  for (TraceSessionKind kind : {TraceSessionKind::PrivateSystemLogger, TraceSessionKind::KernelLogger}) {
    TrafficTraceStart start = StartTrafficTrace(kind);
    EXPECT_EQ(start.source, nullptr);
    EXPECT_EQ(start.outcome, TrafficTraceOutcome::NoEventsDelivered) << static_cast<int>(kind);
  }
  // What was called: the session we started is stopped at once, and nothing is left consuming.
  TracingRecorder recorder;
  EXPECT_EQ(StartTrafficTrace(TraceSessionKind::PrivateSystemLogger, recorder.Functions()).outcome,
            TrafficTraceOutcome::NoEventsDelivered);
  EXPECT_EQ(TracingRecorder::calls, (Calls{"start " + kOurs, "open " + kOurs, "stop " + kOurs}));
  EXPECT_EQ(StartTrafficTrace(TraceSessionKind::None).outcome, TrafficTraceOutcome::NotOnThisWindows);
}

TEST(SystemNetworkOnWine, OurLeftoverSessionIsRecreatedAndAnotherToolsKernelLoggerLeftAlone) {
  {
    // A session of our name, left by a run that was killed: stopped and started again.
    TracingRecorder recorder;
    TracingRecorder::firstStartFindsSession = true;
    StartTrafficTrace(TraceSessionKind::PrivateSystemLogger, recorder.Functions());
    EXPECT_EQ(TracingRecorder::calls, (Calls{"start " + kOurs, "query " + kOurs, "stop " + kOurs, "start " + kOurs,
                                             "open " + kOurs, "stop " + kOurs}));
  }
  {
    // The kernel logger running for another tool (more flags, a file of its own): never stopped.
    TracingRecorder recorder;
    TracingRecorder::firstStartFindsSession = true;
    TracingRecorder::existing = OurTraceSettings(TraceSessionKind::KernelLogger);
    TracingRecorder::existing.enableFlags |= 0x00000001;
    TrafficTraceStart start = StartTrafficTrace(TraceSessionKind::KernelLogger, recorder.Functions());
    EXPECT_EQ(start.outcome, TrafficTraceOutcome::HeldByAnotherTool);
    EXPECT_EQ(start.source, nullptr);
    EXPECT_EQ(TracingRecorder::calls, (Calls{"start " + kKernel, "query " + kKernel}));
  }
  {
    // The kernel logger exactly as we configure it: ours from a killed run, recreated.
    TracingRecorder recorder;
    TracingRecorder::firstStartFindsSession = true;
    TracingRecorder::existing = OurTraceSettings(TraceSessionKind::KernelLogger);
    StartTrafficTrace(TraceSessionKind::KernelLogger, recorder.Functions());
    ASSERT_GE(TracingRecorder::calls.size(), 4u);
    EXPECT_EQ(TracingRecorder::calls[2], "stop " + kKernel);
    EXPECT_EQ(TracingRecorder::calls[3], "start " + kKernel);
  }
}

// Wraps Wine's filtering functions and records which are called: where the engine is refused,
// nothing after FwpmEngineOpen0 may be (several of Wine's entry points are bare stubs).
struct FilteringRecorder {
  static inline std::vector<std::string> calls;

  static DWORD WINAPI Open(const wchar_t* server, UINT32 authn, void* identity, const FWPM_SESSION0* session,
                           HANDLE* engine) {
    calls.push_back("open");
    return FilteringPlatform().engineOpen(server, authn, identity, session, engine);
  }
  static DWORD WINAPI Close(HANDLE) { return Unexpected("close"); }
  static DWORD WINAPI Add(HANDLE, const FWPM_FILTER0*, PSECURITY_DESCRIPTOR, UINT64*) { return Unexpected("add"); }
  static DWORD WINAPI Delete(HANDLE, UINT64) { return Unexpected("delete"); }
  static DWORD WINAPI AppId(const wchar_t*, FWP_BYTE_BLOB**) { return Unexpected("app id"); }
  static void WINAPI Free(void**) { Unexpected("free"); }
  static DWORD Unexpected(const char* name) {
    calls.push_back(name);
    return ERROR_CALL_NOT_IMPLEMENTED;
  }

  FilteringRecorder() { calls.clear(); }
  FilteringFunctions Functions() const { return {&Open, &Close, &Add, &Delete, &AppId, &Free}; }
};

TEST(SystemNetworkOnWine, ARefusedFilteringEngineMeansNoBlockingAndNoOtherCall) {
  ASSERT_TRUE(FilteringPlatform().Complete());
  EXPECT_EQ(OpenFilterEngine(), nullptr);
  FilteringRecorder recorder;
  EXPECT_EQ(OpenFilterEngine(recorder.Functions()), nullptr);
  EXPECT_EQ(FilteringRecorder::calls, (Calls{"open"}));
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
