// Per-process traffic from the kernel's network events and blocking through the filtering
// platform, against Wine's own implementation of both: Wine starts trace sessions but delivers no
// events, and refuses to open a filtering engine. The program must see that at once and run as it
// does without them: traffic unknown, blocking not offered. Wrapped and stand-in functions show
// what is called, and run the program's event callback and filter building as Windows would.
#include <windows.h>
#include <evntcons.h>
#include <evntrace.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
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
    EXPECT_EQ(TracingRecorder::calls, (Calls{"start " + kOurs, "query " + kOurs, "stop " + kOurs,
                                             "start " + kOurs, "open " + kOurs, "stop " + kOurs}));
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

// A tracing system that delivers: the session opens, ProcessTrace hands the consumer's callback
// event records as the kernel writes them and then waits until the trace is closed. It runs the
// program's own callback, so the header flags, provider GUIDs and context are read as on Windows.
struct DeliveringTracing {
  static inline std::vector<std::string> calls;
  static inline PEVENT_RECORD_CALLBACK callback = nullptr;
  static inline void* context = nullptr;
  static inline HANDLE closed = nullptr;

  static ULONG WINAPI Start(TRACEHANDLE* session, const wchar_t*, EVENT_TRACE_PROPERTIES*) {
    *session = 7;
    return ERROR_SUCCESS;
  }
  static ULONG WINAPI Control(TRACEHANDLE, const wchar_t*, EVENT_TRACE_PROPERTIES*, ULONG control) {
    calls.push_back(control == EVENT_TRACE_CONTROL_STOP ? "stop" : "control");
    return ERROR_SUCCESS;
  }
  static TRACEHANDLE WINAPI Open(EVENT_TRACE_LOGFILEW* logfile) {
    callback = logfile->EventRecordCallback;
    context = logfile->Context;
    return 42;
  }
  static void Deliver(const GUID& provider, USHORT flags, UCHAR opcode, std::vector<uint8_t> payload) {
    EVENT_RECORD record = {};
    record.EventHeader.ProviderId = provider;
    record.EventHeader.Flags = flags;
    record.EventHeader.ProcessId = 4;  // the header's process is not the owner of the traffic
    record.EventHeader.EventDescriptor.Opcode = opcode;
    record.EventHeader.EventDescriptor.Version = 2;
    record.UserDataLength = static_cast<USHORT>(payload.size());
    record.UserData = payload.data();
    record.UserContext = context;
    callback(&record);
  }
  // Version 2 payload: PID, size, addresses, ports, [send times], seqnum, connid (pointer).
  static std::vector<uint8_t> Payload(uint32_t pid, uint32_t size, size_t addressBytes, bool sendTimes,
                                      size_t pointer) {
    std::vector<uint8_t> bytes(8 + 2 * addressBytes + 4 + (sendTimes ? 8 : 0) + 4 + pointer, 0);
    std::memcpy(bytes.data(), &pid, 4);
    std::memcpy(bytes.data() + 4, &size, 4);
    return bytes;
  }
  static ULONG WINAPI Process(TRACEHANDLE*, ULONG, FILETIME*, FILETIME*) {
    const GUID tcp = {0x9a280ac0, 0xc8e0, 0x11d1, {0x84, 0xe2, 0x00, 0xc0, 0x4f, 0xb9, 0x98, 0xa2}};
    const GUID udp = {0xbf3a50c5, 0xa9c9, 0x4988, {0xa0, 0x05, 0x2d, 0xf0, 0xb7, 0xc8, 0x0f, 0x80}};
    const GUID other = {0x3d6fa8d0, 0xfe05, 0x11d0, {0x9d, 0xda, 0x00, 0xc0, 0x4f, 0xd7, 0xba, 0x7c}};
    Deliver(tcp, EVENT_HEADER_FLAG_64_BIT_HEADER, 11, Payload(500, 1400, 4, false, 8));
    Deliver(tcp, EVENT_HEADER_FLAG_64_BIT_HEADER, 26, Payload(500, 600, 16, true, 8));
    Deliver(udp, EVENT_HEADER_FLAG_32_BIT_HEADER, 27, Payload(500, 90, 16, false, 4));
    Deliver(udp, EVENT_HEADER_FLAG_64_BIT_HEADER, 10,
            Payload(500, 1, 4, false, 4));  // 32-bit layout: refused
    Deliver(other, EVENT_HEADER_FLAG_64_BIT_HEADER, 11, Payload(500, 5, 4, false, 8));
    WaitForSingleObject(closed, 10000);
    return ERROR_SUCCESS;
  }
  static ULONG WINAPI Close(TRACEHANDLE) {
    calls.push_back("close");
    SetEvent(closed);
    return ERROR_SUCCESS;
  }

  DeliveringTracing() {
    calls.clear();
    closed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  }
  ~DeliveringTracing() { CloseHandle(closed); }
  EventTracingFunctions Functions() const { return {&Start, &Control, &Open, &Process, &Close}; }
};

TEST(SystemNetworkOnWine, DeliveredEventsAreCountedPerProcessUntilStopped) {
  DeliveringTracing tracing;
  TrafficTraceStart start = StartTrafficTrace(TraceSessionKind::PrivateSystemLogger, tracing.Functions());
  ASSERT_EQ(start.outcome, TrafficTraceOutcome::Counting);
  ASSERT_NE(start.source, nullptr);
  EXPECT_TRUE(start.source->Counting());
  std::optional<TrafficTotals> totals;
  for (DWORD until = GetTickCount() + 5000; static_cast<LONG>(GetTickCount() - until) < 0; Sleep(10)) {
    totals = start.source->Totals(500);
    if (totals && totals->received == 1400 + 90) break;
  }
  ASSERT_TRUE(totals.has_value());
  EXPECT_EQ(totals->received, 1400u + 90u);
  EXPECT_EQ(totals->sent, 600u);
  EXPECT_FALSE(start.source->Totals(4));
  start.source->Stop();
  EXPECT_FALSE(start.source->Counting());
  EXPECT_EQ(DeliveringTracing::calls, (Calls{"stop", "close"}));
  start.source.reset();  // joins the consumer thread
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
  static DWORD WINAPI Add(HANDLE, const FWPM_FILTER0*, PSECURITY_DESCRIPTOR, UINT64*) {
    return Unexpected("add");
  }
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

// A filtering platform that works: records every filter added as the platform would receive it.
struct WorkingFiltering {
  struct Added {
    GUID layer;
    FWP_ACTION_TYPE action;
    GUID field;
    FWP_MATCH_TYPE match;
    FWP_DATA_TYPE valueType;
    std::wstring appId;
  };
  static inline std::vector<Added> added;
  static inline std::vector<std::string> calls;
  static inline std::vector<UINT64> deleted;
  static inline UINT32 sessionFlags = 0;

  static DWORD WINAPI Open(const wchar_t*, UINT32, void*, const FWPM_SESSION0* session, HANDLE* engine) {
    sessionFlags = session->flags;
    *engine = reinterpret_cast<HANDLE>(0x51);
    return ERROR_SUCCESS;
  }
  static DWORD WINAPI Close(HANDLE) {
    calls.push_back("close");
    return ERROR_SUCCESS;
  }
  static DWORD WINAPI Add(HANDLE, const FWPM_FILTER0* filter, PSECURITY_DESCRIPTOR, UINT64* id) {
    const FWPM_FILTER_CONDITION0& condition = filter->filterCondition[0];
    const FWP_BYTE_BLOB* blob = condition.conditionValue.byteBlob;
    added.push_back(
        {filter->layerKey, filter->action.type, condition.fieldKey, condition.matchType,
         condition.conditionValue.type,
         std::wstring(reinterpret_cast<const wchar_t*>(blob->data), blob->size / sizeof(wchar_t))});
    *id = 100 + added.size();
    return ERROR_SUCCESS;
  }
  static DWORD WINAPI Delete(HANDLE, UINT64 id) {
    deleted.push_back(id);
    return ERROR_SUCCESS;
  }
  // The platform's identifier is the device-form path; the path as given stands in for it here.
  static DWORD WINAPI AppId(const wchar_t* fileName, FWP_BYTE_BLOB** appId) {
    size_t bytes = wcslen(fileName) * sizeof(wchar_t);
    auto* blob = static_cast<FWP_BYTE_BLOB*>(HeapAlloc(GetProcessHeap(), 0, sizeof(FWP_BYTE_BLOB) + bytes));
    blob->size = static_cast<UINT32>(bytes);
    blob->data = reinterpret_cast<UINT8*>(blob + 1);
    std::memcpy(blob->data, fileName, bytes);
    *appId = blob;
    return ERROR_SUCCESS;
  }
  static void WINAPI Free(void** memory) {
    calls.push_back("free");
    HeapFree(GetProcessHeap(), 0, *memory);
    *memory = nullptr;
  }

  WorkingFiltering() {
    added.clear();
    calls.clear();
    deleted.clear();
    sessionFlags = 0;
  }
  FilteringFunctions Functions() const { return {&Open, &Close, &Add, &Delete, &AppId, &Free}; }
};

TEST(SystemNetworkOnWine, ABlockIsOneAppIdFilterPerLayerInADynamicSession) {
  WorkingFiltering filtering;
  std::unique_ptr<FilterEngine> engine = OpenFilterEngine(filtering.Functions());
  ASSERT_NE(engine, nullptr);
  EXPECT_EQ(WorkingFiltering::sessionFlags, 1u);  // FWPM_SESSION_FLAG_DYNAMIC: gone with the program
  {
    TExecutableBlockList list(std::move(engine));
    ASSERT_TRUE(list.Block("C:\\Apps\\app.exe"));
    // FWPM_LAYER_ALE_AUTH_CONNECT_V4/V6, FWPM_LAYER_ALE_AUTH_RECV_ACCEPT_V4/V6.
    const GUID layers[] = {
        {0xc38d57d1, 0x05a7, 0x4c33, {0x90, 0x4f, 0x7f, 0xbc, 0xee, 0xe6, 0x0e, 0x82}},
        {0x4a72393b, 0x319f, 0x44bc, {0x84, 0xc3, 0xba, 0x54, 0xdc, 0xb3, 0xb6, 0xb4}},
        {0xe1cd9fe7, 0xf4b5, 0x4273, {0x96, 0xc0, 0x59, 0x2e, 0x48, 0x7b, 0x86, 0x50}},
        {0xa3b42c97, 0x9f04, 0x4672, {0xb8, 0x7e, 0xce, 0xe9, 0xc4, 0x83, 0x25, 0x7f}},
    };
    const GUID appIdField = {0xd78e1e87, 0x8644, 0x4ea5, {0x94, 0x37, 0xd8, 0x09, 0xec, 0xef, 0xc9, 0x71}};
    ASSERT_EQ(WorkingFiltering::added.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
      const WorkingFiltering::Added& filter = WorkingFiltering::added[i];
      EXPECT_TRUE(filter.layer == layers[i]) << i;
      EXPECT_EQ(filter.action, FWP_ACTION_BLOCK);
      EXPECT_TRUE(filter.field == appIdField);
      EXPECT_EQ(filter.match, FWP_MATCH_EQUAL);
      EXPECT_EQ(filter.valueType, FWP_BYTE_BLOB_TYPE);
      EXPECT_EQ(filter.appId, L"C:\\Apps\\app.exe");
    }
    EXPECT_EQ(WorkingFiltering::calls, (Calls{"free", "free", "free", "free"}));  // every identifier released
    EXPECT_TRUE(list.IsBlocked("c:\\apps\\APP.EXE"));
    ASSERT_TRUE(list.Allow("C:\\Apps\\app.exe"));
    EXPECT_EQ(WorkingFiltering::deleted, (std::vector<UINT64>{101, 102, 103, 104}));
  }
  EXPECT_EQ(WorkingFiltering::calls.back(), "close");
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
