#pragma once
// The network-filter driver: per-process and machine traffic counters, per-process filter rules
// and a process-creation event, over the driver channel.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

#include "drivers/driver_channel.h"
#include "software/DriverEvent.h"

namespace vsm {

enum REQUEST_TYPE : uint8_t { ALL = 0, CONNECT = 1, DISCONNECT = 2, SEND = 3, RECV = 4, LISTEN = 5 };
enum FILTER_TYPE : uint8_t { ALLOW = 0, DENY = 1, SPEED = 2, LOG = 3 };

// Wire format of the network-filter driver. Codes: device type 0x12, read-write access, method
// neither (the driver receives the caller's buffer addresses).
namespace tdi {
constexpr uint32_t ControlCode(uint32_t function) { return 0x12u << 16 | 3u << 14 | function << 2 | 3u; }
inline constexpr uint32_t kIoctlGetProcessData = ControlCode(0x201);  // 0x0012C807
inline constexpr uint32_t kIoctlGetProcessConn = ControlCode(0x202);  // 0x0012C80B
inline constexpr uint32_t kIoctlRegisterEvent = ControlCode(0x301);   // 0x0012CC07
inline constexpr uint32_t kIoctlSetFilterRule = ControlCode(0x302);   // 0x0012CC0B
inline constexpr uint32_t kIoctlGetFilterRule = ControlCode(0x303);   // 0x0012CC0F

// Machine totals (process id 0): size byte, bytes sent (8), bytes received (8).
inline constexpr uint32_t kTotalRecordSize = 17;
inline constexpr uint32_t kTotalSentOffset = 1;
inline constexpr uint32_t kTotalReceivedOffset = 9;
// One process: size byte, 5 bytes the program does not read, bytes sent (8), bytes received (8).
inline constexpr uint32_t kProcessRecordSize = 22;
inline constexpr uint32_t kProcessSentOffset = 6;
inline constexpr uint32_t kProcessReceivedOffset = 14;
// Rule record and rule reply: size (16 bit), request type, filter type, limit (32 bit signed),
// process id (32 bit), two zero bytes.
inline constexpr uint32_t kRuleRecordSize = 14;
}  // namespace tdi

class TDrvEventThread;
using TDrvEventProc = std::function<void(TDrvEventThread& sender)>;

// Waits without a time-out on the driver's process-creation event and calls the handler, on its
// own thread, each time the event is set. Ending it sets the event deliberately after the stop
// request, so the wait returns and the loop sees the request.
class TDrvEventThread {
 public:
  TDrvEventThread(std::unique_ptr<DriverEvent> event, TDrvEventProc handler);
  // Stops and joins; the event is closed only after the thread has ended.
  ~TDrvEventThread();
  TDrvEventThread(const TDrvEventThread&) = delete;
  TDrvEventThread& operator=(const TDrvEventThread&) = delete;

  void SetEventProc(TDrvEventProc handler);

 private:
  void Run();

  std::unique_ptr<DriverEvent> hEvent;
  std::mutex handlerLock_;
  TDrvEventProc EventProc;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

class TVeskTdiFwDrv {
 public:
  // A null or closed channel behaves like a missing driver: every request fails at once.
  TVeskTdiFwDrv(std::unique_ptr<DriverChannel> channel, DriverEventFactory eventFactory);
  // Unregisters the process-creation event and ends the event thread; the channel closes the
  // device.
  ~TVeskTdiFwDrv();
  TVeskTdiFwDrv(const TVeskTdiFwDrv&) = delete;
  TVeskTdiFwDrv& operator=(const TVeskTdiFwDrv&) = delete;

  bool Actived() const { return hDriver != nullptr && hDriver->IsOpen(); }

  // Sends the process id; returns how many bytes the driver wrote, 0 on failure.
  int32_t GetProcessData(uint32_t processId, void* buffer, uint32_t bufferSize);
  int32_t GetProcessConn(uint32_t processId, void* buffer, uint32_t bufferSize);
  bool SetFilterRule(uint32_t processId, REQUEST_TYPE requestType, FILTER_TYPE filterType, int32_t limit);
  // Rules by process name are not supported by the driver.
  bool SetFilterRule(std::string_view processName, REQUEST_TYPE requestType, FILTER_TYPE filterType,
                     int32_t limit);
  bool GetFilterRule(uint32_t processId, void* buffer, uint32_t bufferSize);

  // An empty handler unregisters the event and ends the event thread; a handler replaces the
  // running thread's handler, or registers a new event and starts the thread. Without a driver
  // the handler is kept and registered by the first request after the channel opened.
  void OnNewProcessCreate(TDrvEventProc handler);
  // Accepted and ignored: the driver reports no process ends.
  void OnNewProcessClose(TDrvEventProc handler);

 private:
  bool Control(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
               uint32_t& returned);
  // Sends a process id; returns the bytes the driver wrote (0 on failure).
  uint32_t RequestForProcess(uint32_t code, uint32_t processId, void* buffer, uint32_t bufferSize, bool& ok);
  bool RegisterEvent(uint32_t handleValue);

  std::unique_ptr<DriverChannel> hDriver;
  DriverEventFactory eventFactory_;
  std::mutex eventLock_;
  std::unique_ptr<TDrvEventThread> EventThread;
  TDrvEventProc pendingHandler_;
  std::atomic<bool> pendingEvent_{false};
};

}  // namespace vsm
