#pragma once
// Per-process traffic counted from the kernel's TCP/IP and UDP/IP events: starts our trace
// session (see TraceSessionPlan.h), consumes it on a thread of its own and adds every send and
// receive into per-process totals. Stopping it stops the session; a session left behind by a run
// that was killed is found and recreated at the next start.
#include <memory>

#include "software/etw/EventTracing_win.h"
#include "software/etw/ProcessTrafficSource.h"
#include "software/etw/TraceSessionPlan.h"

namespace vsm {

enum class TrafficTraceOutcome {
  Counting,
  NotOnThisWindows,   // no session kind for this version
  NoFunctions,        // the tracing functions are missing
  SessionRefused,     // the session could not be started
  HeldByAnotherTool,  // the kernel logger runs for someone else: left alone
  NoEventsDelivered,  // the session started but cannot be consumed (Wine); it is stopped again
};

struct TrafficTraceStart {
  std::unique_ptr<ProcessTrafficSource> source;  // null unless counting
  TrafficTraceOutcome outcome = TrafficTraceOutcome::NotOnThisWindows;
};

// `functions` are the system's (the Windows tests wrap them to see the calls made).
TrafficTraceStart StartTrafficTrace(TraceSessionKind kind,
                                    const EventTracingFunctions& functions = EventTracing());

}  // namespace vsm
