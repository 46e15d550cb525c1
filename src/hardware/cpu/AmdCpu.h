#pragma once
// AMD processors: core temperatures from the miscellaneous-control function of the northbridge
// (bus 0, device 0x18) or, from family 17h on, from the system management network.
#include <cstdint>

#include "hardware/cpu/CpuInfo.h"

namespace vsm {

// PCI device ID of the miscellaneous-control function (function 3) for families 10h-16h;
// 0 where none is known.
uint16_t Amd10MiscControlDeviceId(uint32_t family, uint32_t model);

// Register arithmetic of the three temperature methods, in degrees Celsius.
double Amd0FTemperature(uint32_t thermtripStatus, double offset);
double Amd10Temperature(uint32_t reportedTemperature, uint32_t family, uint32_t model);
double Amd17Temperature(uint32_t currentTemperature);

class TAmdCPUInfo : public TCpuInfo {
 public:
  static constexpr uint32_t kNoMiscControl = 0xFFFFFFFF;

  TAmdCPUInfo(ConstructionKey, TCpuSeams seams) : TAmdCPUInfo(std::move(seams)) {}

  void Update() override {}

  uint32_t MCRegisters = kNoMiscControl;  // PCI address of the miscellaneous-control function

 protected:
  explicit TAmdCPUInfo(TCpuSeams seams) : TCpuInfo(TCpuType::AmdCPU, std::move(seams)) {}

  void LoadCpuData() override;
  virtual uint32_t FindMiscControl() { return kNoMiscControl; }

  // The address of function `function` on bus 0, device 0x18 when its configuration dword 0 shows
  // AMD's vendor ID and `deviceId`; else kNoMiscControl.
  uint32_t FindMiscControlFunction(uint32_t function, uint16_t deviceId);
};

// Family 0Fh (and family 6 parts reported alike): thermtrip status register 0xE4.
class TAmd0FCpuInfo final : public TAmdCPUInfo {
 public:
  TAmd0FCpuInfo(ConstructionKey, TCpuSeams seams) : TAmdCPUInfo(std::move(seams)) {}

  void Update() override;

  uint8_t thermSenseCoreSelCPU0 = 0;
  uint8_t thermSenseCoreSelCPU1 = 0;
  double offset = -49.0;

 protected:
  void LoadCpuData() override;
  uint32_t FindMiscControl() override;
};

// Families 10h-16h: reported temperature control register 0xA4.
class TAmd10CpuInfo final : public TAmdCPUInfo {
 public:
  TAmd10CpuInfo(ConstructionKey, TCpuSeams seams) : TAmdCPUInfo(std::move(seams)) {}

  void Update() override;

 protected:
  uint32_t FindMiscControl() override;
};

// Family 17h: the current temperature register 0x00059800 through the SMN index/data pair of the
// root complex (bus 0, device 0, function 0, registers 0x60 and 0x64).
class TAmd17CpuInfo final : public TAmdCPUInfo {
 public:
  static constexpr uint32_t kSmnIndex = 0x60;
  static constexpr uint32_t kSmnData = 0x64;
  static constexpr uint32_t kThmCurrentTemperature = 0x00059800;

  TAmd17CpuInfo(ConstructionKey, TCpuSeams seams) : TAmdCPUInfo(std::move(seams)) {}

  void Update() override;

 protected:
  uint32_t FindMiscControl() override { return 0x60; }
};

}  // namespace vsm
