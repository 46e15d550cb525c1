#include "hardware/Drivers.h"


namespace vsm {

namespace {

void PutU32(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32(const uint8_t* in) {
  return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
         static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[3]) << 24;
}

}  // namespace

TVeskHdDrv::TVeskHdDrv(std::unique_ptr<DriverChannel> channel) : channel_(std::move(channel)) {}

TVeskHdDrv::TVeskHdDrv(const DriverChannelFactory& factory)
    : channel_(factory ? factory() : nullptr) {}

bool TVeskHdDrv::ReadIoPort(uint32_t port, uint32_t& value) {
  if (!HasDriver()) return false;
  uint8_t in[4];
  PutU32(in, port);
  uint8_t out[4] = {};
  if (!channel_->Control(kIoctlReadIoPort, in, sizeof in, out, sizeof out)) return false;
  value = out[0];
  return true;
}

bool TVeskHdDrv::WriteIoPort(uint32_t port, uint8_t value) {
  if (!HasDriver()) return false;
  uint8_t in[5];
  PutU32(in, port);
  in[4] = value;
  return channel_->Control(kIoctlWriteIoPort, in, sizeof in, nullptr, 0);
}

bool TVeskHdDrv::Rdmsr(uint32_t msrId, uint32_t& EAX, uint32_t& EDX) {
  if (!HasDriver()) return false;
  uint8_t in[4];
  PutU32(in, msrId);
  uint8_t out[8] = {};
  if (!channel_->Control(kIoctlRdmsr, in, sizeof in, out, sizeof out)) return false;
  EAX = GetU32(out);
  EDX = GetU32(out + 4);
  return true;
}

bool TVeskHdDrv::ReadPciConfig(uint32_t pciAddress, uint32_t regAddress, uint32_t& value) {
  value = 0;
  if (!HasDriver()) return false;
  uint8_t in[8];
  PutU32(in, pciAddress);
  PutU32(in + 4, regAddress);
  uint8_t out[4] = {};
  if (!channel_->Control(kIoctlReadPciConfig, in, sizeof in, out, sizeof out)) return false;
  value = GetU32(out);
  return true;
}

bool TVeskHdDrv::WritePciConfig(uint32_t pciAddress, uint32_t regAddress, uint32_t value) {
  if (!HasDriver()) return false;
  uint8_t in[12];
  PutU32(in, pciAddress);
  PutU32(in + 4, regAddress);
  PutU32(in + 8, value);
  return channel_->Control(kIoctlWritePciConfig, in, sizeof in, nullptr, 0);
}

uint32_t TVeskHdDrv::GetPciAddress(uint32_t bus, uint32_t device, uint32_t func) {
  return (bus & 0xFF) << 8 | (device & 0x1F) << 3 | (func & 7);
}

}  // namespace vsm
