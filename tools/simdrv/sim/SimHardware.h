#pragma once
// A simulated machine behind the hardware-access driver's wire format. Every channel opened from
// it decodes the five control requests byte for byte and acts on one shared machine state: I/O
// port handlers (Super I/O chips), an MSR table per logical processor and PCI configuration space.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "drivers/driver_channel.h"
#include "sim/DriverRequest.h"

namespace vsm::sim {

// Something that answers a range of I/O ports (a Super I/O chip's configuration pair, its
// hardware-monitor block). Returning false means "not mine".
class IoPortDevice {
 public:
  virtual ~IoPortDevice() = default;
  virtual bool ReadPort(uint16_t port, uint8_t& value) = 0;
  virtual bool WritePort(uint16_t port, uint8_t value) = 0;
};

class SimHardware {
 public:
  // Ports no device claims read as 0xFF, as on a real bus.
  void AddPortDevice(std::shared_ptr<IoPortDevice> device);

  // MSRs by logical processor; the processor is the one that CurrentCpu() names.
  void SetMsr(int cpu, uint32_t index, uint64_t value);
  void SetCurrentCpuSource(std::function<int()> source) { currentCpu_ = std::move(source); }

  // PCI configuration dwords by (packed address, register offset). Reads of unset registers give
  // all ones, like an absent device. A write hook lets a test model index/data register pairs.
  void SetPci(uint32_t pciAddress, uint32_t reg, uint32_t value);
  std::optional<uint32_t> GetPci(uint32_t pciAddress, uint32_t reg) const;
  using PciWriteHook = std::function<void(SimHardware&, uint32_t pciAddress, uint32_t reg, uint32_t value)>;
  void SetPciWriteHook(PciWriteHook hook) { pciWriteHook_ = std::move(hook); }

  // Makes every request fail (a driver that answers with an error).
  void SetFailing(bool failing) { failing_ = failing; }

  // Every request received, in order, for tests that check the wire format.
  std::vector<DriverRequest> Requests() const;
  void ClearRequests();
  // Keeping requests is on by default; a long-running simulated driver turns it off.
  void SetKeepingRequests(bool keep);

  // A factory of channels onto this machine, for the classes that open their own.
  DriverChannelFactory Factory();

  bool Handle(uint32_t code, const uint8_t* in, uint32_t inSize, uint8_t* out, uint32_t outSize);

 private:
  mutable std::recursive_mutex lock_;
  std::vector<std::shared_ptr<IoPortDevice>> ports_;
  std::map<std::pair<int, uint32_t>, uint64_t> msrs_;
  std::function<int()> currentCpu_;
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> pci_;
  PciWriteHook pciWriteHook_;
  std::vector<DriverRequest> requests_;
  bool keepRequests_ = true;
  bool failing_ = false;
};

}  // namespace vsm::sim
