#pragma once
// A simulated network-filter driver behind the driver channel. It decodes the five control
// requests byte for byte (and refuses records whose size fields are wrong), keeps running traffic
// counters per process and for the machine, keeps the filter rules it is given, and signals the
// registered process-creation event on request. Unknown processes have counted nothing yet.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "drivers/driver_channel.h"
#include "sim/DriverRequest.h"
#include "software/DriverEvent.h"

namespace vsm::sim {

struct SimFilterRule {
  uint8_t requestType = 0;
  uint8_t filterType = 0;
  int32_t limit = 0;
};

class SimTrafficFilter {
 public:
  SimTrafficFilter();
  ~SimTrafficFilter();
  SimTrafficFilter(const SimTrafficFilter&) = delete;
  SimTrafficFilter& operator=(const SimTrafficFilter&) = delete;

  std::unique_ptr<DriverChannel> OpenChannel();

  // Simulated events whose handle values this device knows how to signal.
  DriverEventFactory EventFactory();
  // Replaces how a registered handle value is signalled (a test with real OS events sets it).
  void SetEventSignaller(std::function<void(uint32_t handleValue)> signaller);
  // A process was created: signals the registered event, if any. False when none is registered.
  bool ProcessCreated();
  // The handle value registered last (0 after an unregistration or before any).
  uint32_t RegisteredEvent() const;

  // The process counted more bytes; the machine totals grow by the same amounts.
  void AddTraffic(uint32_t processId, uint64_t received, uint64_t sent);
  // Sets the machine totals, as after a driver restart.
  void SetMachineTotals(uint64_t received, uint64_t sent);
  // Rules in effect for a process by request type; nothing when none was set.
  std::optional<SimFilterRule> Rule(uint32_t processId, uint8_t requestType) const;
  bool IsBlocked(uint32_t processId) const;

  // Every request fails (a driver that answers with an error).
  void SetFailing(bool failing);
  std::vector<DriverRequest> Requests() const;
  void ClearRequests();
  // Keeping requests is on by default; a long-running simulated driver turns it off.
  void SetKeepingRequests(bool keep);

  bool Handle(uint32_t code, const uint8_t* in, uint32_t inSize, uint8_t* out, uint32_t outSize,
              uint32_t& returned);

 private:
  struct Counters {
    uint64_t received = 0;
    uint64_t sent = 0;
  };
  struct EventTable;

  bool ReadCounters(const uint8_t* in, uint32_t inSize, uint8_t* out, uint32_t outSize, uint32_t& returned);
  bool StoreRule(const uint8_t* in, uint32_t inSize);
  bool BlockedLocked(uint32_t processId) const;
  bool ReplyRule(const uint8_t* in, uint32_t inSize, uint8_t* out, uint32_t outSize, uint32_t& returned);

  mutable std::mutex lock_;
  Counters machine_;
  std::map<uint32_t, Counters> processes_;
  std::map<uint32_t, std::map<uint8_t, SimFilterRule>> rules_;
  uint32_t registeredEvent_ = 0;
  std::function<void(uint32_t)> signaller_;
  std::shared_ptr<EventTable> events_;
  std::vector<DriverRequest> requests_;
  bool keepRequests_ = true;
  bool failing_ = false;
};

}  // namespace vsm::sim
