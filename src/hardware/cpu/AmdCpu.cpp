#include "hardware/cpu/AmdCpu.h"

#include <algorithm>
#include <chrono>

namespace vsm {

namespace {

constexpr uint32_t kAmdVendorId = 0x1022;
// How long a temperature read waits for PCI configuration space before it skips the cycle.
constexpr std::chrono::milliseconds kPciBusWait{100};
constexpr uint32_t kNorthbridgeDevice = 0x18;
constexpr uint32_t kMiscControlFunction = 3;
constexpr uint32_t kThermtripStatus = 0xE4;
constexpr uint32_t kReportedTemperatureControl = 0xA4;

uint32_t ExtendedModel(uint32_t model) { return (model >> 4) & 0xF; }

}  // namespace

uint16_t Amd10MiscControlDeviceId(uint32_t family, uint32_t model) {
  switch (family) {
    case 0x10: return 0x1203;
    case 0x11: return 0x1303;
    case 0x12:
    case 0x14: return 0x1703;
    case 0x15:
      switch (ExtendedModel(model)) {
        case 0: return 0x1603;
        case 1: return 0x1403;
        case 3: return 0x141D;
        case 6: return 0x1573;
        default: return 0;
      }
    case 0x16:
      switch (ExtendedModel(model)) {
        case 0: return 0x1533;
        case 3: return 0x1583;
        default: return 0;
      }
    case 0x17: return 0x1577;
    default: return 0;
  }
}

double Amd0FTemperature(uint32_t thermtripStatus, double offset) {
  return static_cast<double>((thermtripStatus >> 16) & 0xFF) + offset;
}

double Amd10Temperature(uint32_t reportedTemperature, uint32_t family, uint32_t model) {
  uint32_t raw = reportedTemperature >> 21;
  double t = raw / 8.0;
  bool rangeSelect = (reportedTemperature & 0x30000) == 0x30000;
  if (family == 0x15 && rangeSelect) return (model <= 0x0F ? (raw & 0x7FC) / 8.0 : t) - 49;
  if (family == 0x16 && (rangeSelect || (reportedTemperature & 0x80000) != 0)) return t - 49;
  return t;
}

double Amd17Temperature(uint32_t currentTemperature) {
  double t = static_cast<double>((currentTemperature >> 21) * 125) * 0.001;
  return (currentTemperature & 0x80000) != 0 ? t - 49 : t;
}

void TAmdCPUInfo::LoadCpuData() {
  TCpuInfo::LoadCpuData();
  if (NumberOfCores == 0) {
    // Leaf 0x80000008 ECX bits 7..0 hold the core count minus one.
    NumberOfCores =
        CpuExDataLen < 8 ? 1 : static_cast<uint8_t>(std::min<uint32_t>((CpuExData[8].ECX & 0xFF) + 1, 255));
  }
  MCRegisters = FindMiscControl();
}

uint32_t TAmdCPUInfo::FindMiscControlFunction(uint32_t function, uint16_t deviceId) {
  uint32_t address = TVeskHdDrv::GetPciAddress(0, kNorthbridgeDevice, function);
  uint32_t id = 0;
  if (driver->ReadPciConfig(address, 0, id) && id == (uint32_t{deviceId} << 16 | kAmdVendorId))
    return address;
  return kNoMiscControl;
}

void TAmd0FCpuInfo::LoadCpuData() {
  TAmdCPUInfo::LoadCpuData();
  offset = -49.0;
  if (CpuModel > 0x68 && CpuModel != 0x6C && CpuModel != 0x7C && CpuModel != 0xC1) offset += 21;
  if (CpuModel < 40) {
    thermSenseCoreSelCPU0 = 0;
    thermSenseCoreSelCPU1 = 4;
  } else {
    thermSenseCoreSelCPU0 = 4;
    thermSenseCoreSelCPU1 = 0;
  }
}

uint32_t TAmd0FCpuInfo::FindMiscControl() { return FindMiscControlFunction(kMiscControlFunction, 0x1103); }

void TAmd0FCpuInfo::Update() {
  if (MCRegisters == kNoMiscControl) return;
  TBusGuard lock = LockPciBus(kPciBusWait);
  if (!lock.owns_lock()) return;
  ForEachCore([this](int core) {
    uint32_t select = core == 0 ? thermSenseCoreSelCPU0 : thermSenseCoreSelCPU1;
    uint32_t value = 0;
    if (driver->WritePciConfig(MCRegisters, kThermtripStatus, select) &&
        driver->ReadPciConfig(MCRegisters, kThermtripStatus, value))
      CpuTemp[core] = Amd0FTemperature(value, offset);
    return true;
  });
}

uint32_t TAmd10CpuInfo::FindMiscControl() {
  return FindMiscControlFunction(kMiscControlFunction, Amd10MiscControlDeviceId(Family, CpuModel));
}

void TAmd10CpuInfo::Update() {
  if (MCRegisters == kNoMiscControl) return;
  ForEachCore([this](int core) {
    uint32_t value = 0;
    if (!driver->ReadPciConfig(MCRegisters, kReportedTemperatureControl, value)) return false;
    CpuTemp[core] = Amd10Temperature(value, Family, CpuModel);
    return true;
  });
}

void TAmd17CpuInfo::Update() {
  uint32_t rootComplex = TVeskHdDrv::GetPciAddress(0, 0, 0);
  TBusGuard lock = LockPciBus(kPciBusWait);
  if (!lock.owns_lock()) return;
  ForEachCore([this, rootComplex](int core) {
    uint32_t value = 0;
    if (!driver->WritePciConfig(rootComplex, kSmnIndex, kThmCurrentTemperature) ||
        !driver->ReadPciConfig(rootComplex, kSmnData, value))
      return false;
    CpuTemp[core] = Amd17Temperature(value);
    return true;
  });
}

}  // namespace vsm
