#pragma once
// What the processor objects need from the machine: the CPUID instruction, the calling thread's
// processor affinity, the hardware-access driver and WMI. The Windows shell supplies the real ones
// (CpuSeams_win.h); tests script CPUID leaves and record affinity changes.
#include <cstdint>
#include <functional>

#include "drivers/driver_channel.h"
#include "hardware/BusLock.h"
#include "sysinfo/wmi.h"

namespace vsm {

// One CPUID answer.
struct TCpuidRecord {
  uint32_t EAX = 0;
  uint32_t EBX = 0;
  uint32_t ECX = 0;
  uint32_t EDX = 0;
};

// Executes CPUID for a leaf and subleaf on the processor the calling thread runs on.
using CpuidFunction = std::function<TCpuidRecord(uint32_t leaf, uint32_t subleaf)>;

// Sets the calling thread's affinity mask; answers the previous mask, or 0 when the mask was
// refused (the thread then keeps its old mask).
using AffinityFunction = std::function<uint32_t(uint32_t mask)>;

struct TCpuSeams {
  CpuidFunction cpuid;
  AffinityFunction setThreadAffinity;
  DriverChannelFactory channels;
  WmiQueryFunction wmi;
  // PCI configuration space; the program's in-process lock when none is given.
  std::shared_ptr<TBusLock> pciBus;
};

}  // namespace vsm
