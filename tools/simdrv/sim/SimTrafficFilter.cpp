#include "sim/SimTrafficFilter.h"

#include <condition_variable>

#include "base/le_bytes.h"
#include "software/TdiFwDrv.h"

namespace vsm::sim {

namespace {

// An auto-reset event in process memory.
class SimDriverEvent final : public DriverEvent {
 public:
  using Forget = std::function<void(uint32_t)>;
  SimDriverEvent(uint32_t handleValue, Forget forget) : handle_(handleValue), forget_(std::move(forget)) {}
  ~SimDriverEvent() override { forget_(handle_); }

  uint32_t HandleValue() const override { return handle_; }
  void Reset() override {
    std::lock_guard guard(lock_);
    set_ = false;
  }
  void Signal() override {
    {
      std::lock_guard guard(lock_);
      set_ = true;
    }
    changed_.notify_one();
  }
  bool Wait() override {
    std::unique_lock guard(lock_);
    changed_.wait(guard, [this] { return set_; });
    set_ = false;
    return true;
  }

 private:
  uint32_t handle_;
  Forget forget_;
  std::mutex lock_;
  std::condition_variable changed_;
  bool set_ = false;
};

class SimTrafficChannel final : public CountingDriverChannel {
 public:
  explicit SimTrafficChannel(SimTrafficFilter& device) : device_(device) {}
  bool IsOpen() const override { return true; }
  bool ControlReturning(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                        uint32_t& returned) override {
    returned = 0;
    if (in == nullptr) return false;
    return device_.Handle(code, static_cast<const uint8_t*>(in), inSize, static_cast<uint8_t*>(out), outSize,
                          returned);
  }

 private:
  SimTrafficFilter& device_;
};

}  // namespace

// The simulated events alive, by handle value, so that the device can set the registered one.
struct SimTrafficFilter::EventTable {
  std::mutex lock;
  std::map<uint32_t, DriverEvent*> events;
  uint32_t nextHandle = 0x1000;
};

SimTrafficFilter::SimTrafficFilter() : events_(std::make_shared<EventTable>()) {}

SimTrafficFilter::~SimTrafficFilter() = default;

std::unique_ptr<DriverChannel> SimTrafficFilter::OpenChannel() {
  return std::make_unique<SimTrafficChannel>(*this);
}

DriverEventFactory SimTrafficFilter::EventFactory() {
  std::weak_ptr<EventTable> table = events_;
  return [table]() -> std::unique_ptr<DriverEvent> {
    std::shared_ptr<EventTable> events = table.lock();
    if (!events) return nullptr;
    std::lock_guard guard(events->lock);
    uint32_t handle = events->nextHandle;
    events->nextHandle += 4;
    auto event = std::make_unique<SimDriverEvent>(handle, [table](uint32_t value) {
      if (std::shared_ptr<EventTable> alive = table.lock()) {
        std::lock_guard inner(alive->lock);
        alive->events.erase(value);
      }
    });
    events->events[handle] = event.get();
    return event;
  };
}

void SimTrafficFilter::SetEventSignaller(std::function<void(uint32_t)> signaller) {
  std::lock_guard guard(lock_);
  signaller_ = std::move(signaller);
}

bool SimTrafficFilter::ProcessCreated() {
  uint32_t handle = 0;
  std::function<void(uint32_t)> signaller;
  {
    std::lock_guard guard(lock_);
    handle = registeredEvent_;
    signaller = signaller_;
  }
  if (handle == 0) return false;
  if (signaller) {
    signaller(handle);
    return true;
  }
  std::lock_guard guard(events_->lock);
  auto it = events_->events.find(handle);
  if (it == events_->events.end()) return false;
  it->second->Signal();
  return true;
}

uint32_t SimTrafficFilter::RegisteredEvent() const {
  std::lock_guard guard(lock_);
  return registeredEvent_;
}

void SimTrafficFilter::AddTraffic(uint32_t processId, uint64_t received, uint64_t sent) {
  std::lock_guard guard(lock_);
  Counters& process = processes_[processId];
  process.received += received;
  process.sent += sent;
  machine_.received += received;
  machine_.sent += sent;
}

void SimTrafficFilter::SetMachineTotals(uint64_t received, uint64_t sent) {
  std::lock_guard guard(lock_);
  machine_ = {received, sent};
}

std::optional<SimFilterRule> SimTrafficFilter::Rule(uint32_t processId, uint8_t requestType) const {
  std::lock_guard guard(lock_);
  auto process = rules_.find(processId);
  if (process == rules_.end()) return std::nullopt;
  auto rule = process->second.find(requestType);
  if (rule == process->second.end()) return std::nullopt;
  return rule->second;
}

bool SimTrafficFilter::IsBlocked(uint32_t processId) const {
  std::lock_guard guard(lock_);
  return BlockedLocked(processId);
}

bool SimTrafficFilter::BlockedLocked(uint32_t processId) const {
  auto process = rules_.find(processId);
  if (process == rules_.end()) return false;
  auto all = process->second.find(ALL);
  return all != process->second.end() && all->second.filterType == DENY;
}

void SimTrafficFilter::SetFailing(bool failing) {
  std::lock_guard guard(lock_);
  failing_ = failing;
}

std::vector<DriverRequest> SimTrafficFilter::Requests() const {
  std::lock_guard guard(lock_);
  return requests_;
}

void SimTrafficFilter::ClearRequests() {
  std::lock_guard guard(lock_);
  requests_.clear();
}

void SimTrafficFilter::SetKeepingRequests(bool keep) {
  std::lock_guard guard(lock_);
  keepRequests_ = keep;
  if (!keep) requests_.clear();
}

bool SimTrafficFilter::Handle(uint32_t code, const uint8_t* in, uint32_t inSize, uint8_t* out,
                              uint32_t outSize, uint32_t& returned) {
  std::lock_guard guard(lock_);
  returned = 0;
  if (keepRequests_) requests_.push_back({code, std::vector<uint8_t>(in, in + inSize), outSize});
  if (failing_) return false;
  switch (code) {
    case tdi::kIoctlGetProcessData: return ReadCounters(in, inSize, out, outSize, returned);
    case tdi::kIoctlGetProcessConn:
      // Connection data is not simulated: an empty answer.
      return inSize >= 4;
    case tdi::kIoctlRegisterEvent:
      if (inSize < 4) return false;
      registeredEvent_ = ByteView(in, inSize).U32(0);
      return true;
    case tdi::kIoctlSetFilterRule: return StoreRule(in, inSize);
    case tdi::kIoctlGetFilterRule: return ReplyRule(in, inSize, out, outSize, returned);
    default: return false;
  }
}

bool SimTrafficFilter::ReadCounters(const uint8_t* in, uint32_t inSize, uint8_t* out, uint32_t outSize,
                                    uint32_t& returned) {
  if (inSize < 4 || out == nullptr) return false;
  uint32_t processId = ByteView(in, inSize).U32(0);
  std::span<uint8_t> reply(out, outSize);
  if (processId == 0) {
    if (outSize < tdi::kTotalRecordSize || out[0] != tdi::kTotalRecordSize) return false;
    PutLe(reply, tdi::kTotalSentOffset, machine_.sent, 8);
    PutLe(reply, tdi::kTotalReceivedOffset, machine_.received, 8);
    returned = tdi::kTotalRecordSize;
    return true;
  }
  if (outSize < tdi::kProcessRecordSize || out[0] != tdi::kProcessRecordSize) return false;
  Counters counters;
  if (auto it = processes_.find(processId); it != processes_.end()) counters = it->second;
  PutLe(reply, tdi::kProcessSentOffset, counters.sent, 8);
  PutLe(reply, tdi::kProcessReceivedOffset, counters.received, 8);
  returned = tdi::kProcessRecordSize;
  return true;
}

bool SimTrafficFilter::StoreRule(const uint8_t* in, uint32_t inSize) {
  const ByteView rule(in, inSize);
  if (inSize < tdi::kRuleRecordSize || rule.U16(0) != tdi::kRuleRecordSize || rule.U16(12) != 0) return false;
  uint8_t requestType = in[2];
  uint8_t filterType = in[3];
  if (requestType > LISTEN || filterType > LOG) return false;
  auto limit = static_cast<int32_t>(rule.U32(4));
  rules_[rule.U32(8)][requestType] = {requestType, filterType, limit};
  return true;
}

// The reply's first 16-bit field is 1 when the process's network access is blocked, else 0.
bool SimTrafficFilter::ReplyRule(const uint8_t* in, uint32_t inSize, uint8_t* out, uint32_t outSize,
                                 uint32_t& returned) {
  if (inSize < 4 || out == nullptr || outSize < tdi::kRuleRecordSize) return false;
  if (ByteView(out, outSize).U16(0) != tdi::kRuleRecordSize || out[2] != ALL) return false;
  out[0] = BlockedLocked(ByteView(in, inSize).U32(0)) ? 1 : 0;
  out[1] = 0;
  returned = tdi::kRuleRecordSize;
  return true;
}

}  // namespace vsm::sim
