#include "software/TdiFwDrv.h"

#include <utility>

#include "base/le_bytes.h"

namespace vsm {

TDrvEventThread::TDrvEventThread(std::unique_ptr<DriverEvent> event, TDrvEventProc handler)
    : hEvent(std::move(event)), EventProc(std::move(handler)), thread_([this] { Run(); }) {}

TDrvEventThread::~TDrvEventThread() {
  SetEventProc(nullptr);
  stop_ = true;
  // The wait has no time-out: set the event so that it returns and sees the stop request.
  hEvent->Signal();
  thread_.join();
}

void TDrvEventThread::SetEventProc(TDrvEventProc handler) {
  std::lock_guard guard(handlerLock_);
  EventProc = std::move(handler);
}

void TDrvEventThread::Run() {
  while (!stop_) {
    bool signalled = hEvent->Wait();
    if (stop_) break;
    if (!signalled) break;  // a wait that fails would fail again at once
    TDrvEventProc handler;
    {
      std::lock_guard guard(handlerLock_);
      handler = EventProc;
    }
    if (handler) handler(*this);
  }
}

TVeskTdiFwDrv::TVeskTdiFwDrv(std::unique_ptr<DriverChannel> channel, DriverEventFactory eventFactory)
    : hDriver(std::move(channel)), eventFactory_(std::move(eventFactory)) {}

TVeskTdiFwDrv::~TVeskTdiFwDrv() { OnNewProcessCreate(nullptr); }

bool TVeskTdiFwDrv::Control(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                            uint32_t& returned) {
  returned = 0;
  if (!Actived()) return false;
  // A driver that came up after the handler was given gets the event now.
  if (pendingEvent_.exchange(false)) {
    TDrvEventProc handler;
    {
      std::lock_guard guard(eventLock_);
      handler = std::move(pendingHandler_);
    }
    if (handler) OnNewProcessCreate(std::move(handler));
  }
  return hDriver->ControlReturning(code, in, inSize, out, outSize, returned);
}

uint32_t TVeskTdiFwDrv::RequestForProcess(uint32_t code, uint32_t processId, void* buffer,
                                          uint32_t bufferSize, bool& ok) {
  uint8_t in[4];
  PutLe(in, 0, processId, 4);
  uint32_t returned = 0;
  ok = Control(code, in, sizeof in, buffer, bufferSize, returned);
  return returned;
}

int32_t TVeskTdiFwDrv::GetProcessData(uint32_t processId, void* buffer, uint32_t bufferSize) {
  bool ok = false;
  return static_cast<int32_t>(
      RequestForProcess(tdi::kIoctlGetProcessData, processId, buffer, bufferSize, ok));
}

int32_t TVeskTdiFwDrv::GetProcessConn(uint32_t processId, void* buffer, uint32_t bufferSize) {
  bool ok = false;
  return static_cast<int32_t>(
      RequestForProcess(tdi::kIoctlGetProcessConn, processId, buffer, bufferSize, ok));
}

bool TVeskTdiFwDrv::SetFilterRule(uint32_t processId, REQUEST_TYPE requestType, FILTER_TYPE filterType,
                                  int32_t limit) {
  uint8_t rule[tdi::kRuleRecordSize] = {};
  rule[0] = tdi::kRuleRecordSize;
  rule[2] = requestType;
  rule[3] = filterType;
  PutLe(rule, 4, static_cast<uint32_t>(limit), 4);
  PutLe(rule, 8, processId, 4);
  uint32_t returned = 0;
  return Control(tdi::kIoctlSetFilterRule, rule, sizeof rule, nullptr, 0, returned);
}

bool TVeskTdiFwDrv::SetFilterRule(std::string_view, REQUEST_TYPE, FILTER_TYPE, int32_t) { return false; }

bool TVeskTdiFwDrv::GetFilterRule(uint32_t processId, void* buffer, uint32_t bufferSize) {
  bool ok = false;
  RequestForProcess(tdi::kIoctlGetFilterRule, processId, buffer, bufferSize, ok);
  return ok;
}

bool TVeskTdiFwDrv::RegisterEvent(uint32_t handleValue) {
  uint8_t in[4];
  PutLe(in, 0, handleValue, 4);
  uint32_t returned = 0;
  return Control(tdi::kIoctlRegisterEvent, in, sizeof in, nullptr, 0, returned);
}

void TVeskTdiFwDrv::OnNewProcessCreate(TDrvEventProc handler) {
  std::lock_guard guard(eventLock_);
  if (!Actived()) {
    // Kept for a driver that may still come up (a channel that asks again).
    pendingHandler_ = std::move(handler);
    pendingEvent_ = pendingHandler_ != nullptr;
    return;
  }
  // Given here directly: the requests below must not take the kept one (nor this lock) again.
  pendingEvent_ = false;
  pendingHandler_ = nullptr;
  if (!handler) {
    RegisterEvent(0);
    EventThread.reset();  // clears the handler, wakes, joins, then closes the event
    return;
  }
  if (EventThread) {
    EventThread->SetEventProc(std::move(handler));
    return;
  }
  std::unique_ptr<DriverEvent> event = eventFactory_ ? eventFactory_() : nullptr;
  if (!event) return;
  event->Reset();
  if (!RegisterEvent(event->HandleValue())) return;  // the unused event is closed here
  EventThread = std::make_unique<TDrvEventThread>(std::move(event), std::move(handler));
}

void TVeskTdiFwDrv::OnNewProcessClose(TDrvEventProc) {}

}  // namespace vsm
