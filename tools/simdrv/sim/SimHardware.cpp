#include "sim/SimHardware.h"

#include "hardware/Drivers.h"

namespace vsm::sim {

namespace {

uint32_t GetU32(const uint8_t* in) {
  return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
         static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[3]) << 24;
}

void PutU32(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

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

DriverChannelFactory SimHardware::Factory() {
  return [this] { return std::make_unique<SimHardwareChannel>(*this); };
}

bool SimHardware::Handle(uint32_t code, const uint8_t* in, uint32_t inSize, uint8_t* out,
                         uint32_t outSize) {
  std::lock_guard guard(lock_);
  requests_.push_back({code, std::vector<uint8_t>(in, in + inSize), outSize});
  if (failing_) return false;
  switch (code) {
    case TVeskHdDrv::kIoctlReadIoPort: {
      if (inSize < 4 || outSize < 1 || out == nullptr) return false;
      auto port = static_cast<uint16_t>(GetU32(in));
      uint8_t value = 0xFF;
      for (auto& device : ports_) {
        if (device->ReadPort(port, value)) break;
      }
      out[0] = value;
      return true;
    }
    case TVeskHdDrv::kIoctlWriteIoPort: {
      if (inSize < 5) return false;
      auto port = static_cast<uint16_t>(GetU32(in));
      for (auto& device : ports_) {
        if (device->WritePort(port, in[4])) break;
      }
      return true;
    }
    case TVeskHdDrv::kIoctlRdmsr: {
      if (inSize < 4 || outSize < 8 || out == nullptr) return false;
      int cpu = currentCpu_ ? currentCpu_() : 0;
      auto it = msrs_.find({cpu, GetU32(in)});
      if (it == msrs_.end()) return false;  // a general-protection fault in the driver
      PutU32(out, static_cast<uint32_t>(it->second));
      PutU32(out + 4, static_cast<uint32_t>(it->second >> 32));
      return true;
    }
    case TVeskHdDrv::kIoctlReadPciConfig: {
      if (inSize < 8 || outSize < 4 || out == nullptr) return false;
      auto it = pci_.find({GetU32(in), GetU32(in + 4)});
      PutU32(out, it == pci_.end() ? 0xFFFFFFFF : it->second);
      return true;
    }
    case TVeskHdDrv::kIoctlWritePciConfig: {
      if (inSize < 12) return false;
      uint32_t address = GetU32(in);
      uint32_t reg = GetU32(in + 4);
      uint32_t value = GetU32(in + 8);
      pci_[{address, reg}] = value;
      if (pciWriteHook_) pciWriteHook_(*this, address, reg, value);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace vsm::sim
