#pragma once
// The event-tracing controller and consumer functions of advapi32.dll, bound at run time from the
// system folder, once, and kept for the life of the process. Null members where a function is
// missing.
#include <windows.h>
#include <evntcons.h>
#include <evntrace.h>

namespace vsm {

struct EventTracingFunctions {
  using StartTraceFn = ULONG(WINAPI*)(TRACEHANDLE* session, const wchar_t* name,
                                      EVENT_TRACE_PROPERTIES* properties);
  using ControlTraceFn = ULONG(WINAPI*)(TRACEHANDLE session, const wchar_t* name,
                                        EVENT_TRACE_PROPERTIES* properties, ULONG control);
  using OpenTraceFn = TRACEHANDLE(WINAPI*)(EVENT_TRACE_LOGFILEW* logfile);
  using ProcessTraceFn = ULONG(WINAPI*)(TRACEHANDLE* handles, ULONG count, FILETIME* start, FILETIME* end);
  using CloseTraceFn = ULONG(WINAPI*)(TRACEHANDLE trace);

  StartTraceFn startTrace = nullptr;
  ControlTraceFn controlTrace = nullptr;
  OpenTraceFn openTrace = nullptr;
  ProcessTraceFn processTrace = nullptr;
  CloseTraceFn closeTrace = nullptr;

  bool Complete() const {
    return startTrace != nullptr && controlTrace != nullptr && openTrace != nullptr &&
           processTrace != nullptr && closeTrace != nullptr;
  }
};

const EventTracingFunctions& EventTracing();

}  // namespace vsm
