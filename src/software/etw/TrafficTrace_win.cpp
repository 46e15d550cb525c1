#include "software/etw/TrafficTrace_win.h"

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "base/wide_win.h"
#include "software/etw/NetworkEventDecoder.h"
#include "software/etw/ProcessTrafficCounters.h"

namespace vsm {

namespace {

// SystemTraceControlGuid, the kernel logger's control GUID.
constexpr GUID kSystemTraceControlGuid = {
    0x9e814aad, 0x3204, 0x11d2, {0x9a, 0x82, 0x00, 0x60, 0x08, 0xa8, 0x69, 0x39}};
// The event classes of the kernel's network events.
constexpr GUID kTcpIpGuid = {0x9a280ac0, 0xc8e0, 0x11d1, {0x84, 0xe2, 0x00, 0xc0, 0x4f, 0xb9, 0x98, 0xa2}};
constexpr GUID kUdpIpGuid = {0xbf3a50c5, 0xa9c9, 0x4988, {0xa0, 0x05, 0x2d, 0xf0, 0xb7, 0xc8, 0x0f, 0x80}};
// Our private session's own GUID (a system-logger session must not use the kernel logger's).
constexpr GUID kOurSessionGuid = {
    0x8599f1de, 0x47bf, 0x4f74, {0x9d, 0x95, 0x4c, 0x1e, 0x11, 0x12, 0x63, 0xb8}};

constexpr ULONG kNameRoom = 1024;  // characters, for the session name and the log file name

// EVENT_TRACE_PROPERTIES followed by room for the two names, as the controller calls expect.
class SessionProperties {
 public:
  SessionProperties() : bytes_(sizeof(EVENT_TRACE_PROPERTIES) + 2 * kNameRoom * sizeof(wchar_t), 0) {
    Get()->Wnode.BufferSize = static_cast<ULONG>(bytes_.size());
    Get()->LoggerNameOffset = sizeof(EVENT_TRACE_PROPERTIES);
    Get()->LogFileNameOffset = sizeof(EVENT_TRACE_PROPERTIES) + kNameRoom * sizeof(wchar_t);
  }
  SessionProperties(const TraceSessionSettings& settings, const GUID& sessionGuid) : SessionProperties() {
    EVENT_TRACE_PROPERTIES* properties = Get();
    properties->Wnode.Flags = WNODE_FLAG_TRACED_GUID;
    properties->Wnode.ClientContext = 1;  // query-performance-counter time stamps
    properties->Wnode.Guid = sessionGuid;
    properties->LogFileMode = settings.logFileMode;
    properties->EnableFlags = settings.enableFlags;
    properties->BufferSize = settings.bufferSizeKb;
    properties->MinimumBuffers = settings.minimumBuffers;
    properties->MaximumBuffers = settings.maximumBuffers;
    properties->FlushTimer = settings.flushTimerSeconds;
    properties->LogFileNameOffset = 0;  // real time only, no file
  }

  EVENT_TRACE_PROPERTIES* Get() { return reinterpret_cast<EVENT_TRACE_PROPERTIES*>(bytes_.data()); }

  TraceSessionSettings Settings() {
    const EVENT_TRACE_PROPERTIES* properties = Get();
    TraceSessionSettings settings;
    settings.logFileMode = properties->LogFileMode;
    settings.enableFlags = properties->EnableFlags;
    settings.bufferSizeKb = properties->BufferSize;
    settings.minimumBuffers = properties->MinimumBuffers;
    settings.maximumBuffers = properties->MaximumBuffers;
    settings.flushTimerSeconds = properties->FlushTimer;
    ULONG offset = properties->LogFileNameOffset;
    if (offset != 0 && offset + sizeof(wchar_t) <= bytes_.size()) {
      wchar_t first = 0;
      std::memcpy(&first, bytes_.data() + offset, sizeof first);
      settings.hasLogFile = first != 0;
    }
    return settings;
  }

 private:
  std::vector<uint8_t> bytes_;
};

bool SameGuid(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The pointer size of the kernel that logged the event, as the header's flags tell it.
unsigned PointerSize(const EVENT_HEADER& header) {
  if ((header.Flags & EVENT_HEADER_FLAG_64_BIT_HEADER) != 0) return 8;
  if ((header.Flags & EVENT_HEADER_FLAG_32_BIT_HEADER) != 0) return 4;
  return 0;
}

bool IsInvalidTraceHandle(TRACEHANDLE handle) {
  // A 32-bit consumer may get either width of the invalid handle, by Windows version.
  return handle == static_cast<TRACEHANDLE>(0xFFFFFFFFull) || handle == ~static_cast<TRACEHANDLE>(0);
}

ULONG StopSession(const EventTracingFunctions& functions, const std::wstring& name) {
  SessionProperties properties;
  return functions.controlTrace(0, name.c_str(), properties.Get(), EVENT_TRACE_CONTROL_STOP);
}

class TTrafficTrace final : public ProcessTrafficSource {
 public:
  TTrafficTrace(const EventTracingFunctions& functions, std::wstring name)
      : functions_(functions), name_(std::move(name)) {}
  ~TTrafficTrace() override {
    Stop();
    if (consumer_.joinable()) consumer_.join();
  }

  // Opens the session for real-time consumption and starts the consumer thread. False when the
  // session cannot be consumed.
  bool Open() {
    EVENT_TRACE_LOGFILEW logfile = {};
    logfile.LoggerName = name_.data();
    logfile.ProcessTraceMode = PROCESS_TRACE_MODE_REAL_TIME | PROCESS_TRACE_MODE_EVENT_RECORD;
    logfile.EventRecordCallback = &TTrafficTrace::OnEventRecord;
    logfile.Context = this;
    trace_ = functions_.openTrace(&logfile);
    if (IsInvalidTraceHandle(trace_)) return false;
    opened_ = true;
    counters_.SetCounting(true);
    consumer_ = std::thread([this] {
      TRACEHANDLE handles[1] = {trace_};
      functions_.processTrace(handles, 1, nullptr, nullptr);
      // The session was stopped (by us, or by someone else): the figures are unknown from now.
      counters_.SetCounting(false);
    });
    return true;
  }

  bool Counting() const override { return counters_.Counting(); }
  std::optional<TrafficTotals> Totals(uint32_t processId) const override {
    return counters_.Totals(processId);
  }
  void KeepOnly(const std::vector<uint32_t>& running) override { counters_.KeepOnly(running); }

  void Stop() override {
    if (stopped_.exchange(true)) return;
    counters_.SetCounting(false);
    StopSession(functions_, name_);
    // Ends ProcessTrace once it has delivered what it holds.
    if (opened_) functions_.closeTrace(trace_);
  }

 private:
  static void WINAPI OnEventRecord(EVENT_RECORD* record) {
    auto* self = static_cast<TTrafficTrace*>(record->UserContext);
    const EVENT_HEADER& header = record->EventHeader;
    NetworkEventClass eventClass;
    if (SameGuid(header.ProviderId, kTcpIpGuid)) {
      eventClass = NetworkEventClass::TcpIp;
    } else if (SameGuid(header.ProviderId, kUdpIpGuid)) {
      eventClass = NetworkEventClass::UdpIp;
    } else {
      return;
    }
    ByteView payload(static_cast<const uint8_t*>(record->UserData),
                     record->UserData != nullptr ? record->UserDataLength : 0);
    std::optional<NetworkTransfer> transfer =
        DecodeNetworkEvent(eventClass, header.EventDescriptor.Opcode, header.EventDescriptor.Version,
                           PointerSize(header), payload);
    if (transfer) self->counters_.Add(*transfer);
  }

  const EventTracingFunctions functions_;
  std::wstring name_;
  TProcessTrafficCounters counters_;
  TRACEHANDLE trace_ = 0;
  bool opened_ = false;
  std::atomic<bool> stopped_{false};
  std::thread consumer_;
};

}  // namespace

TrafficTraceStart StartTrafficTrace(TraceSessionKind kind, const EventTracingFunctions& functions) {
  TrafficTraceStart result;
  if (kind == TraceSessionKind::None) return result;
  if (!functions.Complete()) {
    result.outcome = TrafficTraceOutcome::NoFunctions;
    return result;
  }
  const bool kernelLogger = kind == TraceSessionKind::KernelLogger;
  const std::wstring name =
      kernelLogger ? std::wstring(KERNEL_LOGGER_NAMEW) : Widen(etw::kPrivateSessionName);
  const GUID& sessionGuid = kernelLogger ? kSystemTraceControlGuid : kOurSessionGuid;
  const TraceSessionSettings ours = OurTraceSettings(kind);

  TRACEHANDLE session = 0;
  SessionProperties properties(ours, sessionGuid);
  ULONG status = functions.startTrace(&session, name.c_str(), properties.Get());
  if (status == ERROR_ALREADY_EXISTS) {
    SessionProperties found;
    bool known =
        functions.controlTrace(0, name.c_str(), found.Get(), EVENT_TRACE_CONTROL_QUERY) == ERROR_SUCCESS;
    if (!known || DecideOnExistingSession(kind, found.Settings()) == ExistingSession::LeaveAlone) {
      result.outcome = TrafficTraceOutcome::HeldByAnotherTool;
      return result;
    }
    StopSession(functions, name);
    SessionProperties again(ours, sessionGuid);
    status = functions.startTrace(&session, name.c_str(), again.Get());
  }
  if (status != ERROR_SUCCESS) {
    result.outcome = TrafficTraceOutcome::SessionRefused;
    return result;
  }
  auto trace = std::make_unique<TTrafficTrace>(functions, name);
  if (!trace->Open()) {
    trace->Stop();  // the session we started must not outlive this attempt
    result.outcome = TrafficTraceOutcome::NoEventsDelivered;
    return result;
  }
  result.source = std::move(trace);
  result.outcome = TrafficTraceOutcome::Counting;
  return result;
}

}  // namespace vsm
