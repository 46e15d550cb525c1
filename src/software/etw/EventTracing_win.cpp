#include "software/etw/EventTracing_win.h"

#include "base/library_win.h"

namespace vsm {

const EventTracingFunctions& EventTracing() {
  static const EventTracingFunctions functions = [] {
    EventTracingFunctions bound;
    HMODULE module = LoadSystemLibrary(L"advapi32.dll");
    bound.startTrace = BindFunction<EventTracingFunctions::StartTraceFn>(module, "StartTraceW");
    bound.controlTrace = BindFunction<EventTracingFunctions::ControlTraceFn>(module, "ControlTraceW");
    bound.openTrace = BindFunction<EventTracingFunctions::OpenTraceFn>(module, "OpenTraceW");
    bound.processTrace = BindFunction<EventTracingFunctions::ProcessTraceFn>(module, "ProcessTrace");
    bound.closeTrace = BindFunction<EventTracingFunctions::CloseTraceFn>(module, "CloseTrace");
    return bound;
  }();
  return functions;
}

}  // namespace vsm
