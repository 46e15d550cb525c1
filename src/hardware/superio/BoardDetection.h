#pragma once
// Finds the mainboard's Super I/O monitoring chip through the configuration port pairs 0x2E/0x2F
// and 0x4E/0x4F and creates the chip object that samples it.
#include <chrono>
#include <functional>
#include <memory>

#include "drivers/driver_channel.h"
#include "hardware/superio/MainBord.h"
#include "sysinfo/wmi.h"

namespace vsm {

struct TSuperIoEnvironment {
  DriverChannelFactory channels;  // hardware-access driver; none behaves like a missing driver
  WmiQueryFunction wmi;           // board identification
  // Waits between two reads of a settling base address; the thread's sleep when empty.
  std::function<void(std::chrono::milliseconds)> sleep;
};

// Never nothing: the chip object, or a TGeneralBoard without channels when no chip was found.
// The channels are not named yet: the board sensor layout runs on the result afterwards.
std::unique_ptr<TMainBord> DetectMainBord(const TSuperIoEnvironment& environment);

}  // namespace vsm
