// The C++ side of the simulated driver: one simulated machine, built for the processor the driver
// runs on, serving both devices under one lock, and a tally of what each process asked for.
#include "SimDriverBridge.h"

#include <cpuid.h>

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>
#include <vector>

#include "SimDriverProtocol.h"
#include "base/le_bytes.h"
#include "hardware/Drivers.h"
#include "hardware/cpu/CpuInfo.h"
#include "sim/SimMachine.h"
#include "software/TdiFwDrv.h"

namespace {

using vsm::sim::SimCpuIdentity;
using vsm::sim::SimMachine;

// The processes are looked at again at most this often (seconds): listing them is not free and
// the chip code asks hundreds of port reads a second.
constexpr double kLookInterval = 0.25;
constexpr unsigned kMaxProcesses = 4096;

SimCpuIdentity HostCpu() {
  SimCpuIdentity cpu;
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(0, &eax, &ebx, &ecx, &edx) == 0) return cpu;
  char vendor[12];
  std::memcpy(vendor, &ebx, 4);
  std::memcpy(vendor + 4, &edx, 4);
  std::memcpy(vendor + 8, &ecx, 4);
  cpu.vendor.assign(vendor, sizeof vendor);
  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0) {
    cpu.family = vsm::DisplayFamily(eax);
    cpu.model = vsm::DisplayModel(eax);
    cpu.stepping = eax & 0xF;
  }
  cpu.logicalProcessors = static_cast<int>(SimKernelProcessorCount());
  if (cpu.logicalProcessors < 1) cpu.logicalProcessors = 1;
  return cpu;
}

class Bridge {
 public:
  Bridge() : machine_(HostCpu()) {
    machine_.Hardware().SetCurrentCpuSource([this] { return currentCpu_; });
    machine_.Filter().SetEventSignaller([](uint32_t) { SimKernelSetEvent(); });
  }

  bool Handle(int device, unsigned requester, unsigned thread, unsigned code, const uint8_t* in,
              unsigned inSize, uint8_t* out, unsigned outSize, unsigned& returned) {
    std::lock_guard guard(lock_);
    returned = 0;
    if (code == VSM_SIM_IOCTL_SERVED) return ReplyServed(device, out, outSize, returned);
    ++served_[{device, requester, code}];
    Look();
    if (device == SIM_DEVICE_HARDWARE) {
      currentCpu_ = code == vsm::TVeskHdDrv::kIoctlRdmsr ? SimKernelRequesterCpu(thread) : 0;
      if (!machine_.Hardware().Handle(code, in, inSize, out, outSize)) return false;
      // Reads fill what the caller offered; writes answer nothing.
      returned = outSize;
      return true;
    }
    if (code == vsm::tdi::kIoctlRegisterEvent && inSize >= 4 &&
        !SimKernelAdoptEvent(requester, vsm::ByteView(in, inSize).U32(0))) {
      return false;
    }
    uint32_t written = 0;
    bool ok = machine_.Filter().Handle(code, in, inSize, out, outSize, written);
    returned = written;
    return ok;
  }

 private:
  void Look() {
    double now = SimKernelClock();
    if (looked_ && now - lastLook_ < kLookInterval) return;
    std::vector<unsigned> ids(kMaxProcesses);
    ids.resize(SimKernelListProcesses(ids.data(), kMaxProcesses));
    machine_.AdvanceTo(now, std::vector<uint32_t>(ids.begin(), ids.end()));
    looked_ = true;
    lastLook_ = now;
  }

  bool ReplyServed(int device, uint8_t* out, unsigned outSize, unsigned& returned) {
    std::span<uint8_t> reply(out, outSize);
    for (const auto& [key, count] : served_) {
      const auto& [servedDevice, requester, code] = key;
      if (servedDevice != device) continue;
      if (returned + VSM_SIM_SERVED_RECORD_SIZE > outSize) break;
      vsm::PutLe(reply, returned, requester, 4);
      vsm::PutLe(reply, returned + 4, code, 4);
      vsm::PutLe(reply, returned + 8, count, 4);
      returned += VSM_SIM_SERVED_RECORD_SIZE;
    }
    return true;
  }

  std::mutex lock_;
  SimMachine machine_;
  int currentCpu_ = 0;
  bool looked_ = false;
  double lastLook_ = 0;
  std::map<std::tuple<int, unsigned, unsigned>, uint32_t> served_;
};

std::unique_ptr<Bridge> g_bridge;

}  // namespace

extern "C" int SimBridgeStart(void) {
  try {
    g_bridge = std::make_unique<Bridge>();
    return 1;
  } catch (...) {
    return 0;
  }
}

extern "C" void SimBridgeStop(void) { g_bridge.reset(); }

extern "C" int SimBridgeHandle(int device, unsigned requester, unsigned requesterThread, unsigned code,
                               const unsigned char* in, unsigned inSize, unsigned char* out, unsigned outSize,
                               unsigned* returned) {
  *returned = 0;
  if (!g_bridge) return 0;
  try {
    return g_bridge->Handle(device, requester, requesterThread, code, in, inSize, out, outSize, *returned)
               ? 1
               : 0;
  } catch (...) {
    return 0;
  }
}
