#pragma once
// The mainboard's monitoring chip: raw voltage, temperature, fan and control channels, and the
// board's identity. One subclass per chip family; TGeneralBoard when no chip was found.
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "drivers/driver_channel.h"
#include "hardware/BusLock.h"
#include "hardware/Drivers.h"
#include "hardware/board/BoardIdentity.h"
#include "hardware/superio/MonitorPorts.h"
#include "sysinfo/wmi.h"

namespace vsm {

// One channel. A value of 0 means "no valid reading" everywhere in the program.
struct TSensor {
  std::string name;
  double value = 0;  // volts, degrees Celsius, RPM, or percent for control outputs
};
using TSenorArray = std::vector<TSensor>;

// The board's identity from WMI's first Win32_BaseBoard object; empty without one. It is asked
// for before the Super I/O bus is taken: a WMI query can take long, and other monitoring programs
// wait for the bus meanwhile.
struct TBaseBoardIdentity {
  WmiObject object;
  std::string Manufacturer, Product, SerialNumber, Version;
};
TBaseBoardIdentity QueryBaseBoard(const WmiQueryFunction& wmi);

class TMainBord {
 public:
  virtual ~TMainBord() = default;
  TMainBord(const TMainBord&) = delete;
  TMainBord& operator=(const TMainBord&) = delete;

  // Samples every channel; skips the cycle when the driver's lock cannot be had in time.
  virtual void update() = 0;
  // GPIO ports exist on ITE chips only; elsewhere a read gives 0 and a write does nothing.
  virtual uint8_t ReadGPIO(int index);
  virtual void WriteGPID(int index, uint8_t value);

  bool HasTempSensor() const { return !Temperatures.empty() && Temperatures[0].value > 0; }

  std::unique_ptr<TVeskHdDrv> driver;
  // The Super I/O bus, shared with detection and every other user of the same ports.
  std::shared_ptr<TBusLock> bus = InProcessBusLock(TBus::Isa);
  uint8_t revision = 0;
  uint16_t address = 0;
  TBoardManufacturer mf = TBoardManufacturer::MB_Unknown;
  TBoardModel model = TBoardModel::BM_Unknown;
  uint16_t Chip = 0;
  TSenorArray Voltages, Temperatures, Fans, Controls;
  WmiObject FWmiObject;
  std::string Manufacturer, Product, SerialNumber, Version;

 protected:
  // Opens the chip object's own driver access; the board is the one `identity` names.
  TMainBord(uint16_t chip, uint16_t address, uint8_t revision, const DriverChannelFactory& channels,
            const TBaseBoardIdentity& identity);

  // Waits up to `timeout` for the bus; the result owns nothing when the wait failed.
  TBusGuard LockBus(std::chrono::milliseconds timeout) { return bus->Lock(timeout); }
  TMonitorPorts Ports() { return TMonitorPorts(*driver, address); }
};

// The board when no monitoring chip was found: chip 0, no channels, nothing to sample.
class TGeneralBoard final : public TMainBord {
 public:
  TGeneralBoard(const DriverChannelFactory& channels, const TBaseBoardIdentity& identity);
  void update() override {}
};

}  // namespace vsm
