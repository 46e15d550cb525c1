#include "hardware/Drivers.h"

#include "base/le_bytes.h"

namespace vsm {

TVeskHdDrv::TVeskHdDrv(std::unique_ptr<DriverChannel> channel) : channel_(std::move(channel)) {}

TVeskHdDrv::TVeskHdDrv(const DriverChannelFactory& factory) : channel_(factory ? factory() : nullptr) {}

bool TVeskHdDrv::ReadIoPort(uint32_t port, uint32_t& value) {
  if (!HasDriver()) return false;
  uint8_t in[4];
  PutLe(in, 0, port, 4);
  uint8_t out[4] = {};
  if (!channel_->Control(kIoctlReadIoPort, in, sizeof in, out, sizeof out)) return false;
  value = out[0];
  return true;
}

bool TVeskHdDrv::WriteIoPort(uint32_t port, uint8_t value) {
  if (!HasDriver()) return false;
  uint8_t in[5];
  PutLe(in, 0, port, 4);
  in[4] = value;
  return channel_->Control(kIoctlWriteIoPort, in, sizeof in, nullptr, 0);
}

bool TVeskHdDrv::Rdmsr(uint32_t msrId, uint32_t& EAX, uint32_t& EDX) {
  if (!HasDriver()) return false;
  uint8_t in[4];
  PutLe(in, 0, msrId, 4);
  uint8_t out[8] = {};
  if (!channel_->Control(kIoctlRdmsr, in, sizeof in, out, sizeof out)) return false;
  EAX = ByteView(out, sizeof out).U32(0);
  EDX = ByteView(out, sizeof out).U32(4);
  return true;
}

bool TVeskHdDrv::ReadPciConfig(uint32_t pciAddress, uint32_t regAddress, uint32_t& value) {
  value = 0;
  if (!HasDriver()) return false;
  uint8_t in[8];
  PutLe(in, 0, pciAddress, 4);
  PutLe(in, 4, regAddress, 4);
  uint8_t out[4] = {};
  if (!channel_->Control(kIoctlReadPciConfig, in, sizeof in, out, sizeof out)) return false;
  value = ByteView(out, sizeof out).U32(0);
  return true;
}

bool TVeskHdDrv::WritePciConfig(uint32_t pciAddress, uint32_t regAddress, uint32_t value) {
  if (!HasDriver()) return false;
  uint8_t in[12];
  PutLe(in, 0, pciAddress, 4);
  PutLe(in, 4, regAddress, 4);
  PutLe(in, 8, value, 4);
  return channel_->Control(kIoctlWritePciConfig, in, sizeof in, nullptr, 0);
}

uint32_t TVeskHdDrv::GetPciAddress(uint32_t bus, uint32_t device, uint32_t func) {
  return (bus & 0xFF) << 8 | (device & 0x1F) << 3 | (func & 7);
}

}  // namespace vsm
