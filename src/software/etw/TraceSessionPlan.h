#pragma once
// Which event-tracing session counts the network events on this Windows, how it is configured,
// and what to do with a session of that name that already runs.
#include <cstdint>

namespace vsm {

enum class TraceSessionKind : uint8_t {
  None,                 // Windows XP and older: no per-process counting
  KernelLogger,         // Vista and 7: the one machine-wide "NT Kernel Logger"
  PrivateSystemLogger,  // Windows 8 on: a system-logger session of our own name
};

// The properties by which a session is configured and recognised.
struct TraceSessionSettings {
  uint32_t logFileMode = 0;
  uint32_t enableFlags = 0;
  uint32_t bufferSizeKb = 0;
  uint32_t minimumBuffers = 0;
  uint32_t maximumBuffers = 0;
  uint32_t flushTimerSeconds = 0;
  bool hasLogFile = false;
};

namespace etw {
inline constexpr uint32_t kRealTimeMode = 0x00000100;            // EVENT_TRACE_REAL_TIME_MODE
inline constexpr uint32_t kSystemLoggerMode = 0x02000000;        // EVENT_TRACE_SYSTEM_LOGGER_MODE
inline constexpr uint32_t kFlagNetworkTcpIp = 0x00010000;        // EVENT_TRACE_FLAG_NETWORK_TCPIP
inline constexpr char kKernelLoggerName[] = "NT Kernel Logger";  // KERNEL_LOGGER_NAME
inline constexpr char kPrivateSessionName[] = "Vesk System Monitor Network Traffic";
}  // namespace etw

TraceSessionKind ChooseTraceSession(uint32_t majorVersion, uint32_t minorVersion);

// Real-time only, network events only, and a buffer size no other tool is likely to pick, so
// that a kernel logger left behind by a killed run of ours can be told from another tool's.
TraceSessionSettings OurTraceSettings(TraceSessionKind kind);

enum class ExistingSession : uint8_t { StopAndRecreate, LeaveAlone };

// A session of our private name is ours (from a run that was killed) and is recreated. The kernel
// logger is only ever stopped when it is configured exactly as we configure it; anything else
// belongs to another tool, which keeps it, and we go without.
ExistingSession DecideOnExistingSession(TraceSessionKind kind, const TraceSessionSettings& found);

}  // namespace vsm
