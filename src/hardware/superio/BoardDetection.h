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
  // The Super I/O bus, held for the whole probe and handed to the chip object; the program's
  // in-process lock when none is given.
  std::shared_ptr<TBusLock> bus;
};

// Never nothing: the chip object with its channels named by the board sensor layout, or a
// TGeneralBoard without channels when no chip was found.
std::unique_ptr<TMainBord> DetectMainBord(const TSuperIoEnvironment& environment);

}  // namespace vsm
