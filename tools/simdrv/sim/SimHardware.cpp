#include "sim/SimHardware.h"

#include "base/le_bytes.h"
#include "hardware/Drivers.h"

namespace vsm::sim {

namespace {

class SimHardwareChannel final : public DriverChannel {
 public:
  explicit SimHardwareChannel(SimHardware& machine) : machine_(machine) {}
  bool IsOpen() const override { return true; }
  bool Control(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize) override {
    if (in == nullptr) return false;
    return machine_.Handle(code, static_cast<const uint8_t*>(in), inSize, static_cast<uint8_t*>(out),
                           outSize);
  }

 private:
  SimHardware& machine_;
};

}  // namespace

void SimHardware::AddPortDevice(std::shared_ptr<IoPortDevice> device) {
  std::lock_guard guard(lock_);
  ports_.push_back(std::move(device));
}

void SimHardware::SetMsr(int cpu, uint32_t index, uint64_t value) {
  std::lock_guard guard(lock_);
  msrs_[{cpu, index}] = value;
}

void SimHardware::SetPci(uint32_t pciAddress, uint32_t reg, uint32_t value) {
  std::lock_guard guard(lock_);
  pci_[{pciAddress, reg}] = value;
}

std::optional<uint32_t> SimHardware::GetPci(uint32_t pciAddress, uint32_t reg) const {
  std::lock_guard guard(lock_);
  auto it = pci_.find({pciAddress, reg});
  if (it == pci_.end()) return std::nullopt;
  return it->second;
}

std::vector<DriverRequest> SimHardware::Requests() const {
  std::lock_guard guard(lock_);
  return requests_;
}

void SimHardware::ClearRequests() {
  std::lock_guard guard(lock_);
  requests_.clear();
}

void SimHardware::SetKeepingRequests(bool keep) {
  std::lock_guard guard(lock_);
  keepRequests_ = keep;
  if (!keep) requests_.clear();
}

DriverChannelFactory SimHardware::Factory() {
  return [this] { return std::make_unique<SimHardwareChannel>(*this); };
}

bool SimHardware::Handle(uint32_t code, const uint8_t* in, uint32_t inSize, uint8_t* out, uint32_t outSize) {
  std::lock_guard guard(lock_);
  if (keepRequests_) requests_.push_back({code, std::vector<uint8_t>(in, in + inSize), outSize});
  if (failing_) return false;
  const ByteView request(in, inSize);
  switch (code) {
    case TVeskHdDrv::kIoctlReadIoPort: {
      if (inSize < 4 || outSize < 1 || out == nullptr) return false;
      auto port = static_cast<uint16_t>(request.U32(0));
      uint8_t value = 0xFF;
      for (auto& device : ports_) {
        if (device->ReadPort(port, value)) break;
      }
      out[0] = value;
      return true;
    }
    case TVeskHdDrv::kIoctlWriteIoPort: {
      if (inSize < 5) return false;
      auto port = static_cast<uint16_t>(request.U32(0));
      for (auto& device : ports_) {
        if (device->WritePort(port, in[4])) break;
      }
      return true;
    }
    case TVeskHdDrv::kIoctlRdmsr: {
      if (inSize < 4 || outSize < 8 || out == nullptr) return false;
      int cpu = currentCpu_ ? currentCpu_() : 0;
      auto it = msrs_.find({cpu, request.U32(0)});
      if (it == msrs_.end()) return false;  // a general-protection fault in the driver
      PutLe({out, outSize}, 0, it->second, 8);
      return true;
    }
    case TVeskHdDrv::kIoctlReadPciConfig: {
      if (inSize < 8 || outSize < 4 || out == nullptr) return false;
      auto it = pci_.find({request.U32(0), request.U32(4)});
      PutLe({out, outSize}, 0, it == pci_.end() ? 0xFFFFFFFF : it->second, 4);
      return true;
    }
    case TVeskHdDrv::kIoctlWritePciConfig: {
      if (inSize < 12) return false;
      uint32_t address = request.U32(0);
      uint32_t reg = request.U32(4);
      uint32_t value = request.U32(8);
      pci_[{address, reg}] = value;
      if (pciWriteHook_) pciWriteHook_(*this, address, reg, value);
      return true;
    }
    default: return false;
  }
}

}  // namespace vsm::sim
