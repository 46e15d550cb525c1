#include "software/etw/TraceSessionPlan.h"

namespace vsm {

TraceSessionKind ChooseTraceSession(uint32_t majorVersion, uint32_t minorVersion) {
  if (majorVersion < 6) return TraceSessionKind::None;
  if (majorVersion == 6 && minorVersion < 2) return TraceSessionKind::KernelLogger;
  return TraceSessionKind::PrivateSystemLogger;
}

TraceSessionSettings OurTraceSettings(TraceSessionKind kind) {
  TraceSessionSettings settings;
  settings.logFileMode = etw::kRealTimeMode;
  if (kind == TraceSessionKind::PrivateSystemLogger) settings.logFileMode |= etw::kSystemLoggerMode;
  settings.enableFlags = etw::kFlagNetworkTcpIp;
  settings.bufferSizeKb = 36;
  settings.minimumBuffers = 4;
  settings.maximumBuffers = 32;
  settings.flushTimerSeconds = 1;
  return settings;
}

ExistingSession DecideOnExistingSession(TraceSessionKind kind, const TraceSessionSettings& found) {
  if (kind == TraceSessionKind::PrivateSystemLogger) return ExistingSession::StopAndRecreate;
  if (kind != TraceSessionKind::KernelLogger) return ExistingSession::LeaveAlone;
  // The system may raise the buffer counts it was given, so they are not compared.
  const TraceSessionSettings ours = OurTraceSettings(kind);
  bool same = found.logFileMode == ours.logFileMode && found.enableFlags == ours.enableFlags &&
              found.bufferSizeKb == ours.bufferSizeKb && found.flushTimerSeconds == ours.flushTimerSeconds &&
              !found.hasLogFile;
  return same ? ExistingSession::StopAndRecreate : ExistingSession::LeaveAlone;
}

}  // namespace vsm
