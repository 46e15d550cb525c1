#include "hardware/superio/MainBord_NCT677X.h"

#include "hardware/superio/SuperIoChips.h"

namespace vsm {

namespace {

constexpr uint16_t kNuvotonVendor = 0x5CA3;
constexpr double kVoltageStep = 0.008;

// The registers of one chip generation.
struct NuvotonLayout {
  int minFanRpm;
  uint16_t fanRpmBase;
  std::vector<uint16_t> voltages;
  uint16_t vbatVoltage;
  std::vector<uint8_t> sources;  // one per temperature slot
  std::vector<uint16_t> temperature;
  std::vector<uint16_t> temperatureHalf;
  std::vector<int> temperatureHalfBit;
  std::vector<uint16_t> temperatureSource;
  std::vector<uint16_t> alternate;  // one per temperature slot
};

const std::vector<uint16_t> kNCT677xTemperatures = {0x027, 0x073, 0x075, 0x077, 0x150,
                                                    0x250, 0x62B, 0x62C, 0x62D};
const std::vector<uint16_t> kNCT677xTemperatureHalf = {0,     0x074, 0x076, 0x078, 0x151,
                                                       0x251, 0x62E, 0x62E, 0x62E};
const std::vector<int> kNCT677xTemperatureHalfBit = {-1, 7, 7, 7, 7, 7, 0, 1, 2};
const std::vector<uint16_t> kNCT677xTemperatureSource = {0x621, 0x100, 0x200, 0x300, 0x622,
                                                         0x623, 0x624, 0x625, 0x626};
const std::vector<uint16_t> kNCT677xVoltages = {0x020, 0x021, 0x022, 0x023, 0x024,
                                                0x025, 0x026, 0x550, 0x551};

const NuvotonLayout kNCT6771Layout = {20,
                                      0x656,
                                      kNCT677xVoltages,
                                      0x551,
                                      {5, 2, 3, 1},
                                      kNCT677xTemperatures,
                                      kNCT677xTemperatureHalf,
                                      kNCT677xTemperatureHalfBit,
                                      kNCT677xTemperatureSource,
                                      {0, 0, 0, 0}};

const NuvotonLayout kNCT6776Layout = {164,
                                      0x656,
                                      kNCT677xVoltages,
                                      0x551,
                                      {12, 2, 3, 1},
                                      kNCT677xTemperatures,
                                      kNCT677xTemperatureHalf,
                                      kNCT677xTemperatureHalfBit,
                                      kNCT677xTemperatureSource,
                                      {0, 0, 0, 0}};

const NuvotonLayout kNCT6102Layout = {164,
                                      0x030,
                                      {0x300, 0x301, 0x302, 0x303, 0x304, 0x305, 0x307, 0x308, 0x309},
                                      0x308,
                                      {16, 1, 2, 3},
                                      {0x027, 0x018, 0x019, 0x01A},
                                      {0, 0x01B, 0x11B, 0x21B},
                                      {-1, 7, 7, 7},
                                      {0x621, 0x100, 0x200, 0x300},
                                      {0, 0x018, 0x019, 0x01A}};

const NuvotonLayout kNCT6779Layout = {
    164,
    0x4C0,
    {0x480, 0x481, 0x482, 0x483, 0x484, 0x485, 0x486, 0x487, 0x488, 0x489, 0x48A, 0x48B, 0x48C, 0x48D, 0x48E},
    0x488,
    {16, 2, 1, 3, 4, 5, 6},
    {0x027, 0x073, 0x075, 0x077, 0x079, 0x07B, 0x150},
    {0, 0x074, 0x076, 0x078, 0x07A, 0x07C, 0x151},
    {-1, 7, 7, 7, 7, 7, 7},
    {0x621, 0x100, 0x200, 0x300, 0x800, 0x900, 0x622},
    {0, 0x491, 0x490, 0x492, 0x493, 0x494, 0x495}};

struct ChipCounts {
  const NuvotonLayout* layout;
  size_t fans;
  size_t controls;
};

ChipCounts CountsFor(uint16_t chip) {
  switch (chip) {
    case NCT6771F: return {&kNCT6771Layout, 4, 3};
    case NCT6776F: return {&kNCT6776Layout, 5, 3};
    case NCT610X: return {&kNCT6102Layout, 3, 3};
    case NCT6779D: return {&kNCT6779Layout, 5, 5};
    case NCT6791D: return {&kNCT6779Layout, 6, 6};
    default: return {nullptr, 0, 0};
  }
}

}  // namespace

TMB_NCT677X::TMB_NCT677X(uint16_t chip, uint16_t address, uint8_t revision,
                         const DriverChannelFactory& channels, const TBaseBoardIdentity& identity)
    : TMainBord(chip, address, revision, channels, identity) {
  const bool nct6102 = chip == NCT610X;
  vBatMonitorControlRegister = nct6102 ? 0x318 : 0x005D;
  FControlRegisters = {0x001, 0x003, 0x011, 0x013, 0x015, 0x017};
  if (nct6102) FControlRegisters = {0x04A, 0x04B, 0x04C, 0x013, 0x015, 0x017};

  TMonitorPorts ports = Ports();
  const uint16_t vendorHigh = nct6102 ? 0x80FE : 0x804F;
  const uint16_t vendorLow = nct6102 ? 0x00FE : 0x004F;
  isNuvotonVendor = (ports.Read16(vendorHigh) << 8 | ports.Read16(vendorLow)) == kNuvotonVendor;

  ChipCounts counts = CountsFor(chip);
  if (!isNuvotonVendor || counts.layout == nullptr) return;
  const NuvotonLayout& layout = *counts.layout;
  minFanRPM = layout.minFanRpm;
  fanRpmBaseRegister = layout.fanRpmBase;
  voltageRegisters = layout.voltages;
  voltageVBatRegister = layout.vbatVoltage;
  temperaturesSource = layout.sources;
  temperatureRegister = layout.temperature;
  temperatureHalfRegister = layout.temperatureHalf;
  temperatureHalfBit = layout.temperatureHalfBit;
  temperatureSourceRegister = layout.temperatureSource;
  alternateTemperatureRegister = layout.alternate;

  Voltages.resize(voltageRegisters.size());
  Temperatures.resize(temperaturesSource.size());
  Fans.resize(counts.fans);
  Controls.resize(counts.controls);
}

void TMB_NCT677X::update() {
  if (!isNuvotonVendor) return;
  auto lock = LockBus(std::chrono::milliseconds(10));
  if (!lock.owns_lock()) return;
  TMonitorPorts ports = Ports();
  ReadVoltages(ports);
  ReadTemperatures(ports);
  ReadFans(ports);
  ReadControls(ports);
}

void TMB_NCT677X::ReadVoltages(TMonitorPorts& ports) {
  for (size_t i = 0; i < Voltages.size(); ++i) {
    double volts = ports.Read16(voltageRegisters[i]) * kVoltageStep;
    bool valid = volts > 0;
    // The battery input reads meaningfully only while the chip is monitoring it.
    if (valid && voltageRegisters[i] == voltageVBatRegister) {
      valid = (ports.Read16(vBatMonitorControlRegister) & 1) != 0;
    }
    Voltages[i].value = valid ? volts : 0;
  }
}

void TMB_NCT677X::ReadTemperatures(TMonitorPorts& ports) {
  // Each reading register reports whichever source its select register names; the slots ask
  // for sources. Later registers are read first so that the first match wins.
  uint32_t foundSources = 0;
  for (size_t i = temperatureRegister.size(); i-- > 0;) {
    int value = 2 * ports.Read16(temperatureRegister[i]);
    if (temperatureHalfBit[i] > 0) {
      value |= ports.Read16(temperatureHalfRegister[i]) >> temperatureHalfBit[i] & 1;
    }
    uint8_t source = ports.Read16(temperatureSourceRegister[i]);
    double t = value / 2.0;
    if (t > 125 || t < -55) t = 0;
    for (size_t j = 0; j < Temperatures.size(); ++j) {
      if (temperaturesSource[j] == source) Temperatures[j].value = t;
    }
    foundSources |= 1u << (source % 32);
  }
  for (size_t j = 0; j < Temperatures.size(); ++j) {
    uint16_t alternate = alternateTemperatureRegister[j];
    if (alternate == 0 || (foundSources & 1u << (temperaturesSource[j] % 32)) != 0) continue;
    int t = ports.Read16(alternate);
    Temperatures[j].value = t > 125 ? 0 : t;
  }
}

void TMB_NCT677X::ReadFans(TMonitorPorts& ports) {
  for (size_t i = 0; i < Fans.size(); ++i) {
    auto reg = static_cast<uint16_t>(fanRpmBaseRegister + 2 * i);
    int rpm = ports.Read16(reg) << 8 | ports.Read16(static_cast<uint16_t>(reg + 1));
    Fans[i].value = rpm > minFanRPM ? rpm : 0;
  }
}

void TMB_NCT677X::ReadControls(TMonitorPorts& ports) {
  for (size_t i = 0; i < Controls.size(); ++i) {
    Controls[i].value = ports.Read16(FControlRegisters[i]) / 2.55;
  }
}

}  // namespace vsm
